// What a state class asks of the window that shows it (WindowFrame).
#include <windows.h>

#include <commctrl.h>

#include "base/wide_text_win32.h"
#include "ui/message_loop_win32.h"
#include "ui/table_window_win32.h"

namespace tarvex::ui {

void TableWindow::Close() {
  if (!Handle() || closing_) return;
  closing_ = true;
  state_->Form_Unload();
  if (onUnload) onUnload();
  DestroyHandle();
  closing_ = false;
}

Box TableWindow::FrameBox() const {
  RECT r = {};
  GetWindowRect(Handle(), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TableWindow::SetFrameBox(const Box& box) {
  SetWindowPos(Handle(), nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TableWindow::SetBusyCursor(bool busy) {
  busyCursor_ = busy;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(busy ? 32650 : 32512)));  // IDC_APPSTARTING, IDC_ARROW
}

void TableWindow::DoEvents() { PumpPendingMessages(); }

void TableWindow::SetTitle(const std::string& title) { SetWindowTextUtf8(Handle(), title); }

void TableWindow::ShowPopupMenu(int menuId) {
  HMENU menu = Menu(menuId);
  if (!menu) return;
  POINT at = {};
  GetCursorPos(&at);
  TrackPopupMenu(menu, 0, at.x, at.y, 0, Handle(), nullptr);
}

std::vector<std::size_t> TableWindow::SelectedRows(int listId) const {
  std::vector<std::size_t> rows;
  HWND list = Control(listId);
  if (!list) return rows;
  for (LPARAM at = -1; (at = SendMessageW(list, LVM_GETNEXTITEM, at, LVNI_SELECTED)) >= 0;)
    rows.push_back(static_cast<std::size_t>(at));
  return rows;
}

}  // namespace tarvex::ui
