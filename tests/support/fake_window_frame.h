#pragma once
// A window frame for state classes driven without a real window: it records
// what the state asks of it, and attaches and loads the state like the window
// layer does.
#include <functional>
#include <string>

#include "ui/window_state.h"

namespace tarvex::testing {

class FakeWindowFrame : public ui::WindowFrame {
 public:
  explicit FakeWindowFrame(ui::WindowState& state) : state_(state) {}

  // Attaches the state and runs its Form_Load, as showing the window does.
  void Load() {
    state_.AttachFrame(this);
    state_.Form_Load();
  }
  // Ticks one timer if it is running; false when it was not.
  bool Tick(int timer) {
    if (!state_.Loaded() || !state_.Timers().Running(timer)) return false;
    state_.Timer(timer);
    return true;
  }

  void Close() override {
    ++closes;
    state_.Form_Unload();
    state_.AttachFrame(nullptr);
  }
  ui::Box FrameBox() const override { return box; }
  void SetFrameBox(const ui::Box& b) override {
    box = b;
    ++moves;
  }
  void SetBusyCursor(bool on) override { busy = on; }
  void DoEvents() override {
    ++doEvents;
    if (onDoEvents) onDoEvents();
  }
  void SetTitle(const std::string& t) override { title = t; }

  ui::Box box;
  bool busy = false;
  int closes = 0;
  int moves = 0;
  int doEvents = 0;
  std::string title;
  std::function<void()> onDoEvents;

 private:
  ui::WindowState& state_;
};

}  // namespace tarvex::testing
