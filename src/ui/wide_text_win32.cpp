#include "ui/wide_text_win32.h"

#include <commctrl.h>

#include "system/wide_path_win32.h"

namespace tarvex::ui {

std::wstring DisplayText(const std::string& text) {
  if (std::optional<std::wstring> wide = sys::win32::Wide(text)) return *wide;
  return sys::win32::FromAnsi(text);
}

void SetWindowTextUtf8(HWND window, const std::string& text) { SetWindowTextW(window, DisplayText(text).c_str()); }

int InsertListRowUtf8(HWND list, int row, const std::string& text) {
  std::wstring wide = DisplayText(text);
  LVITEMW item = {};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = wide.data();
  return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListCellUtf8(HWND list, int row, int column, const std::string& text) {
  std::wstring wide = DisplayText(text);
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = wide.data();
  SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace tarvex::ui
