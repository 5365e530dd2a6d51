#pragma once
// Reads a real window's controls the way UI automation would: by id, through
// their window text and their own messages.
#include <windows.h>

#include <commctrl.h>

#include <string>

namespace tarvex::testing {

inline std::string WindowText(HWND hwnd) {
  char buf[1024] = {};
  GetWindowTextA(hwnd, buf, sizeof buf);
  return buf;
}

inline std::string ChildText(HWND parent, int id) { return WindowText(GetDlgItem(parent, id)); }

inline std::string ListCell(HWND list, int row, int column) {
  char buf[1024] = {};
  LVITEMA item = {};
  item.iSubItem = column;
  item.pszText = buf;
  item.cchTextMax = sizeof buf;
  SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return buf;
}

inline int ListRows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// The rectangle of a child window in its parent's client coordinates.
inline RECT ChildRect(HWND parent, int id) {
  RECT r = {};
  HWND child = GetDlgItem(parent, id);
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace tarvex::testing
