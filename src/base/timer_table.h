#pragma once
// The timers of one window, owned by its state class: the Win32 window starts
// and stops real timers to match, a test ticks them by hand.
#include <functional>
#include <initializer_list>
#include <vector>

namespace tarvex::ui {

struct TimerSpec {
  int id = 0;
  unsigned intervalMs = 0;
  bool running = false;
};

class TimerTable {
 public:
  TimerTable() = default;
  TimerTable(std::initializer_list<TimerSpec> timers) : timers_(timers), initial_(timers) {}

  void Start(int id) { Set(id, true); }
  void Stop(int id) { Set(id, false); }
  bool Running(int id) const { return Find(id) && Find(id)->running; }
  unsigned Interval(int id) const { return Find(id) ? Find(id)->intervalMs : 0; }
  void SetInterval(int id, unsigned ms) {
    if (TimerSpec* t = Find(id); t && t->intervalMs != ms) {
      t->intervalMs = ms;
      Tell(*t);
    }
  }
  const std::vector<TimerSpec>& All() const { return timers_; }
  // Every timer back to its table values (a window loaded afresh); nobody is told.
  void Reset() { timers_ = initial_; }

  // Told of every change of a timer (running or interval).
  void SetListener(std::function<void(const TimerSpec&)> listener) { listener_ = std::move(listener); }

 private:
  void Set(int id, bool running) {
    if (TimerSpec* t = Find(id); t && t->running != running) {
      t->running = running;
      Tell(*t);
    }
  }
  void Tell(const TimerSpec& t) {
    if (listener_) listener_(t);
  }
  TimerSpec* Find(int id) {
    for (TimerSpec& t : timers_)
      if (t.id == id) return &t;
    return nullptr;
  }
  const TimerSpec* Find(int id) const { return const_cast<TimerTable*>(this)->Find(id); }

  std::vector<TimerSpec> timers_;
  std::vector<TimerSpec> initial_;
  std::function<void(const TimerSpec&)> listener_;
};

}  // namespace tarvex::ui
