#pragma once
// When a window of the program counts as activated: on its first showing, and
// whenever it becomes active again after another of the program's own windows
// was. Message boxes, the shell's dialogs and other programs are not windows
// of the program: closing a message box or coming back from another program
// returns to the window that was active before, which is no activation (a
// window that shows a message box on activation would otherwise show it for
// ever).
namespace tarvex::ui {

class ActivationRule {
 public:
  // `window` became the active window; true when that is an activation.
  bool BecameActive(const void* window) {
    const bool activation = window != last_;
    last_ = window;
    return activation;
  }
  // `window` is gone; the next window to become active has been activated.
  void Forget(const void* window) {
    if (last_ == window) last_ = nullptr;
  }

 private:
  const void* last_ = nullptr;
};

}  // namespace tarvex::ui
