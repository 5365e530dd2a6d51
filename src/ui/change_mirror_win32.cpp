#include "ui/change_mirror_win32.h"

#include "ui/window_messages.h"

namespace tarvex::ui {

void ChangeMirror::Changed(int id, Change change, bool handling) {
  auto it = controls_.find(id);
  if (it == controls_.end()) return;
  if (handling && it->second->ShownLater(change)) {
    if (waiting_.empty()) PostMessageW(window_.Handle(), kShowChanges, 0, 0);
    waiting_.insert({id, change});
    return;
  }
  Show(id, change, !handling);
  if (change == Change::Items) ShowHeld(!handling);
}

void ChangeMirror::ShowWaiting(bool ended) {
  for (const auto& [id, change] : std::exchange(waiting_, {})) Show(id, change, ended);
  ShowHeld(ended);
}

void ChangeMirror::ShowHeld(bool ended) {
  for (int id : std::exchange(held_, {})) Show(id, Change::Items, ended);
}

void ChangeMirror::Clear() {
  waiting_.clear();
  held_.clear();
}

void ChangeMirror::Show(int id, Change change, bool ended) {
  auto it = controls_.find(id);
  if (it != controls_.end() && !it->second->Show(change, ended)) held_.insert(id);
}

}  // namespace tarvex::ui
