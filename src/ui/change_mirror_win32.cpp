#include "ui/change_mirror_win32.h"

#include <commctrl.h>

#include <algorithm>

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
  if (change == Change::Items) CatchUpCounts(!handling);
}

void ChangeMirror::ShowWaiting(bool ended) {
  for (const auto& [id, change] : std::exchange(waiting_, {})) Show(id, change);
  CatchUpCounts(ended);
}

void ChangeMirror::CatchUpCounts(bool ended) {
  countsHeld_ = false;
  for (const auto& [id, rows] : shownRows_) {
    if (HWND list = host_.Control(id); list && !CatchUpCount(list, rows.size(), !ended)) countsHeld_ = true;
  }
}

void ChangeMirror::Clear() {
  shown_.clear();
  shownRows_.clear();
  waiting_.clear();
  countsHeld_ = false;
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

void ShowListViewRows(HWND list, const ListEdit& edit, const std::vector<Row>& rows, std::vector<Row>& shown) {
  if (!edit.Changes()) return;
  // The list holds no rows of its own (owner data): a row costs the control
  // a count, and it draws only the rows in sight, whenever it is drawn.
  if (edit.RemovesAll()) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  } else {
    for (std::size_t i = edit.shown; i > edit.keep; --i) SendMessageW(list, LVM_DELETEITEM, i - 1, 0);
  }
  ApplyEdit(edit, rows, shown);
  CatchUpCount(list, edit.wanted, true);
  // Only the changed rows in sight are drawn anew.
  const std::size_t top = static_cast<std::size_t>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
  const std::size_t first = std::max(edit.keep, top);
  const std::size_t end = std::min(edit.wanted, top + 1 + static_cast<std::size_t>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)));
  if (first < end) SendMessageW(list, LVM_REDRAWITEMS, first, end - 1);
}

bool CatchUpCount(HWND list, std::size_t wanted, bool mayHold) {
  const auto count = static_cast<std::size_t>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  if (count == wanted) return true;
  // A list the user may be moving in (End, Page Down) keeps its count.
  if (mayHold && wanted > count && GetFocus() != list && SendMessageW(list, LVM_GETTOPINDEX, 0, 0) == 0) {
    const auto page = static_cast<std::size_t>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    // A row below the last whole one in sight may show in part; the rows
    // from `count` on are further down.
    if (count > page && GetScrollBarInfo(list, OBJID_VSCROLL, &bar) &&
        !(bar.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE))) {
      // Larger than its share of the whole bar, arrows and all: held at the
      // smallest size, which more rows keep, as they keep the box of a list
      // at its top in place.
      const int share =
          MulDiv(bar.rcScrollBar.bottom - bar.rcScrollBar.top, static_cast<int>(page), static_cast<int>(count));
      if (bar.xyThumbBottom - bar.xyThumbTop > share + 1) return false;
    }
  }
  SendMessageW(list, LVM_SETITEMCOUNT, wanted, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  return true;
}

void GiveRowText(const std::vector<Row>& shown, NMLVDISPINFOW& request) {
  LVITEMW& item = request.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  item.pszText[0] = L'\0';
  if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= shown.size()) return;
  const Row& row = shown[static_cast<std::size_t>(item.iItem)];
  if (item.iSubItem < 0 || static_cast<std::size_t>(item.iSubItem) >= row.size()) return;
  lstrcpynW(item.pszText, WideFromUtf8(row[static_cast<std::size_t>(item.iSubItem)]).c_str(), item.cchTextMax);
}

}  // namespace tarvex::ui
