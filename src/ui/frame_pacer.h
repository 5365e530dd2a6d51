#pragma once
// Once per display frame at most: a long command that yields after every
// small step gives the event queue a turn when a frame has passed, so the
// window stays responsive (a click is seen within a frame or two) while the
// command spends its time on its work rather than on the queue.
#include <cstdint>
#include <functional>

namespace tarvex::ui {

class FramePacer {
 public:
  static constexpr std::uint64_t kFrameMs = 16;  // a 60 Hz display

  explicit FramePacer(std::function<std::uint64_t()> nowMs) : nowMs_(std::move(nowMs)) {}

  // True on the first call, and then when a frame has passed since the last
  // true, or since the end of the turn it gave.
  bool Due() {
    const std::uint64_t now = nowMs_();
    if (started_ && now - last_ < kFrameMs) return false;
    started_ = true;
    last_ = now;
    return true;
  }
  // The turn Due gave has ended. A turn slower than a frame (a long list
  // drawn on a busy machine) still leaves the command a whole frame of work
  // before the next; from its start, the command would get one step a turn.
  void TurnEnded() { last_ = nowMs_(); }

 private:
  std::function<std::uint64_t()> nowMs_;
  std::uint64_t last_ = 0;
  bool started_ = false;
};

}  // namespace tarvex::ui
