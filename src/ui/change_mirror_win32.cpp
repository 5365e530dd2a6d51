#include "ui/change_mirror_win32.h"

namespace tarvex::ui {

void ChangeMirror::Changed(int id, Change change, bool handling) {
  const ControlSpec& c = host_.State().Controls().Design(id);
  if (handling && (KindOf(c.kind).shownLater & ChangeBit(change))) {
    if (waiting_.empty()) PostMessageW(host_.WindowHandle(), kShowChanges, 0, 0);
    waiting_.insert({id, change});
    return;
  }
  Show(id, change);
}

void ChangeMirror::ShowWaiting() {
  for (const auto& [id, change] : std::exchange(waiting_, {})) Show(id, change);
}

void ChangeMirror::Clear() {
  shownItems_.clear();
  shownRows_.clear();
  waiting_.clear();
}

void ChangeMirror::Show(int id, Change change) {
  const ControlState& s = host_.State().Controls();
  const ControlSite site{host_, s.Design(id), host_.Control(id)};
  const ControlKind& kind = KindOf(site.design.kind);
  // Menu items have no window of their own; every other control needs its own.
  if (!site.hwnd && site.design.kind != Kind::MenuItem) return;
  auto run = [&site](void (*show)(const ControlSite&)) {
    if (show) show(site);
  };
  switch (change) {
    case Change::Text:
      if (!pulling_) run(kind.text);
      break;
    case Change::Enabled: run(kind.enabled); break;
    case Change::Checked: run(kind.checked); break;
    case Change::Position: run(kind.position); break;
    case Change::Items: run(kind.items); break;
    case Change::Bounds:
      if (site.hwnd) {
        const Box& b = s.Bounds(id);
        SetWindowPos(site.hwnd, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
  }
}

}  // namespace tarvex::ui
