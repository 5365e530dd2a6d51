#pragma once
// The plain-C++ side of one window: its table of controls, its timers and its
// event handlers. The Win32 window over it creates what the tables say,
// forwards every event here and mirrors every change; it decides nothing.
#include <cstddef>
#include <vector>

#include "base/timer_table.h"
#include "ui/control_state.h"
#include "ui/control_table.h"

namespace tarvex::ui {

// What a state class may ask of the window that shows it (a real one, or a
// test's fake).
class WindowFrame {
 public:
  virtual ~WindowFrame() = default;
  // Closes (unloads) the window; its Form_Unload runs.
  virtual void Close() = 0;
  // The outer frame in screen pixels, and moving or resizing it in one step.
  virtual Box FrameBox() const = 0;
  virtual void SetFrameBox(const Box& box) = 0;
  // The screen-wide busy cursor (arrow with hourglass) on or off.
  virtual void SetBusyCursor(bool busy) = 0;
  // Hands control to the event queue once (pending events run, then return).
  virtual void DoEvents() = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // Shows the pop-up menu with this id at the mouse position; its items
  // arrive as Click(item id).
  virtual void ShowPopupMenu(int menuId) = 0;
  // The rows of a list view the user has selected, from 0, in list order:
  // a choice only the user makes, read when the state needs it.
  virtual std::vector<std::size_t> SelectedRows(int listId) const = 0;
};

class WindowState {
 public:
  WindowState(const WindowSpec& window, ControlTable controls, TimerTable timers = {})
      : window_(window), controls_(controls), timers_(std::move(timers)) {}
  virtual ~WindowState() = default;
  WindowState(const WindowState&) = delete;
  WindowState& operator=(const WindowState&) = delete;

  const WindowSpec& Window() const { return window_; }
  ControlState& Controls() { return controls_; }
  const ControlState& Controls() const { return controls_; }
  TimerTable& Timers() { return timers_; }
  const TimerTable& Timers() const { return timers_; }

  // Set by the window that shows this state before Form_Load, cleared after
  // Form_Unload; nullptr while the window is not loaded.
  void AttachFrame(WindowFrame* frame) { frame_ = frame; }
  WindowFrame* Frame() const { return frame_; }
  bool Loaded() const { return frame_ != nullptr; }

  // Events, named as the window designer names them.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  // A close request; false keeps the window open.
  virtual bool Form_QueryUnload() { return true; }
  virtual void Form_Unload() {}
  virtual void Click(int /*id*/) {}
  virtual void Timer(int /*id*/) {}
  virtual void GotFocus(int /*id*/) {}

 protected:
  // Closes the window when it is shown; nothing otherwise.
  void Unload() {
    if (frame_) frame_->Close();
  }

 private:
  const WindowSpec& window_;
  ControlState controls_;
  TimerTable timers_;
  WindowFrame* frame_ = nullptr;
};

}  // namespace tarvex::ui
