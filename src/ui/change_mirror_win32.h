#pragma once
// The mirror of a window's control state: every change of a control reaches
// its control object, at once or, for what an event changes many times over,
// once when the event ends or yields to the queue. It keeps no values of its
// own: what a list's control shows is the list's count, held by the control.
#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <utility>

#include "base/window_win32.h"
#include "ui/control_kinds_win32.h"

namespace tarvex::ui {

class ChangeMirror {
 public:
  using Controls = std::map<int, std::unique_ptr<Control>>;
  // `controls`: the window's, by id; `window` is told when a change waits.
  ChangeMirror(const Controls& controls, const Window& window) : controls_(controls), window_(window) {}

  // A change of the state; `handling` an event of the window is running.
  void Changed(int id, Change change, bool handling);
  // The changes that waited; `ended`: the events that changed them have
  // ended, and a list view's count held back meanwhile is sent too.
  void ShowWaiting(bool ended);
  bool Waiting() const { return !waiting_.empty() || !held_.empty(); }
  // The window is gone: nothing waits.
  void Clear();

 private:
  void Show(int id, Change change, bool ended);
  // The lists whose count was held back, shown again.
  void ShowHeld(bool ended);

  const Controls& controls_;
  const Window& window_;
  std::set<std::pair<int, Change>> waiting_;
  std::set<int> held_;  // lists whose count waits for the end of the event
};

}  // namespace tarvex::ui
