#include "ui/list_views_win32.h"

#include <algorithm>

#include "base/wide_text_win32.h"

namespace tarvex::ui {

void ShowListBoxItems(HWND list, const ListEdit& edit, const std::vector<std::string>& items) {
  for (std::size_t i = edit.shown; i > edit.keep; --i) SendMessageW(list, LB_DELETESTRING, i - 1, 0);
  for (std::size_t i = edit.keep; i < edit.wanted; ++i)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(items[i]).c_str()));
}

bool ShowListViewRows(HWND list, const ListEdit& edit, bool mayHoldCount) {
  if (!edit.Changes()) return CatchUpCount(list, edit.wanted, mayHoldCount);
  // A row costs the control a count, and it draws only the rows in sight,
  // whenever it is drawn.
  if (edit.RemovesAll()) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  } else {
    for (std::size_t i = edit.shown; i > edit.keep; --i) SendMessageW(list, LVM_DELETEITEM, i - 1, 0);
  }
  const bool caughtUp = CatchUpCount(list, edit.wanted, mayHoldCount);
  // Only the changed rows in sight are drawn anew.
  const std::size_t top = static_cast<std::size_t>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
  const std::size_t first = std::max(edit.keep, top);
  const std::size_t end = std::min(edit.wanted, top + 1 + static_cast<std::size_t>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)));
  if (first < end) SendMessageW(list, LVM_REDRAWITEMS, first, end - 1);
  return caughtUp;
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

void GiveRowText(const RowSource* rows, NMLVDISPINFOW& request) {
  LVITEMW& item = request.item;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  item.pszText[0] = L'\0';
  if (!rows || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= rows->RowCount() || item.iSubItem < 0) return;
  const std::string text = rows->Cell(static_cast<std::size_t>(item.iItem), static_cast<std::size_t>(item.iSubItem));
  lstrcpynW(item.pszText, WideFromUtf8(text).c_str(), item.cchTextMax);
}

}  // namespace tarvex::ui
