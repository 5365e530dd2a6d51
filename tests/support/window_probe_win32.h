#pragma once
// Reads a real window's controls the way UI automation would: by id, through
// their window text and their own messages. Texts are read in wide characters
// and given as UTF-8, so that a name the code page cannot spell reads as it is.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "base/wide_text_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::testing {

inline std::string WindowText(HWND hwnd) { return ui::WindowTextUtf8(hwnd); }

inline std::string ChildText(HWND parent, int id) { return WindowText(GetDlgItem(parent, id)); }

inline std::string ListCell(HWND list, int row, int column) {
  wchar_t buf[4096] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buf;
  item.cchTextMax = 4096;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return sys::win32::Utf8(buf).value_or("<not UTF-16>");
}

inline int ListRows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// One column of every row of a list view.
inline std::vector<std::string> ListColumn(HWND list, int column) {
  std::vector<std::string> cells;
  for (int i = 0; i < ListRows(list); ++i) cells.push_back(ListCell(list, i, column));
  return cells;
}

// The rectangle of a child window in its parent's client coordinates.
inline RECT ChildRect(HWND parent, int id) {
  RECT r = {};
  HWND child = GetDlgItem(parent, id);
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace tarvex::testing
