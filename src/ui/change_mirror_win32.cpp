#include "ui/change_mirror_win32.h"

#include <commctrl.h>

#include "base/wide_text_win32.h"

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
  shown_.clear();
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

void ShowListBoxItems(HWND list, const ListEdit& edit, const std::vector<std::string>& items) {
  for (std::size_t i = edit.shown; i > edit.keep; --i) SendMessageW(list, LB_DELETESTRING, i - 1, 0);
  for (std::size_t i = edit.keep; i < edit.wanted; ++i)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(items[i]).c_str()));
}

void ShowListViewRows(HWND list, const ListEdit& edit, const std::vector<Row>& rows) {
  if (!edit.Changes()) return;
  // Drawn once for the whole batch: row by row, the list draws its scroll bar
  // anew for every row (milliseconds each under wine, once the list scrolls).
  // Only a shown list: turning drawing back on would show a hidden one.
  const bool batch = IsWindowVisible(list);
  if (batch) SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  if (edit.RemovesAll()) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  } else {
    for (std::size_t i = edit.shown; i > edit.keep; --i) SendMessageW(list, LVM_DELETEITEM, i - 1, 0);
  }
  for (std::size_t i = edit.keep; i < edit.wanted; ++i) {
    const Row& row = rows[i];
    std::wstring text = row.empty() ? std::wstring() : WideFromUtf8(row[0]);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = &text[0];
    const LRESULT at = SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t col = 1; col < row.size(); ++col) {
      std::wstring cell = WideFromUtf8(row[col]);
      LVITEMW sub = {};
      sub.iSubItem = static_cast<int>(col);
      sub.pszText = &cell[0];
      SendMessageW(list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
    }
  }
  if (batch) {
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, FALSE);
  }
}

}  // namespace tarvex::ui
