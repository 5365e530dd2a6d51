#include "windows/check_update_window_win32.h"

#include <memory>

namespace tarvex {

CheckUpdateWindow::CheckUpdateWindow(CheckUpdateServices services)
    : ui::TableWindow(std::make_unique<frmCheckUpdate>(std::move(services))) {}

void CheckUpdateWindow::PaintPicture(int id, HDC dc, const RECT& r) {
  ui::TableWindow::PaintPicture(id, dc, r);
  if (id != frmCheckUpdate::Image1) return;
  HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(Handle(), GCLP_HICON));
  if (!icon) icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
  DrawIconEx(dc, r.left, r.top, icon, 32, 32, 0, nullptr, DI_NORMAL);
}

LRESULT CheckUpdateWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE && wp != SIZE_MINIMIZED) {
    // The bar keeps its height and spans the bottom edge, however the user
    // sizes the frame.
    ui::ControlState& controls = State().Controls();
    const int height = controls.Bounds(frmCheckUpdate::sbStatus).height;
    controls.SetBounds(frmCheckUpdate::sbStatus, {0, HIWORD(lp) - height, LOWORD(lp), height});
  }
  return ui::TableWindow::OnMessage(msg, wp, lp);
}

}  // namespace tarvex
