#include "app/antivirus_window_win32.h"

#include <memory>

#include "app/decoration_win32.h"

namespace tarvex {

AntivirusWindow::AntivirusWindow(AntivirusServices services)
    : ui::TableWindow(std::make_unique<Antivirus>(std::move(services))) {}

void AntivirusWindow::PaintPicture(int id, HDC dc, const RECT& r) {
  if (id == Antivirus::Image1) {
    DrawBanner(dc, r);
  } else if (id == Antivirus::Image2) {
    DrawBadge(dc, r);
  } else {
    ui::TableWindow::PaintPicture(id, dc, r);
  }
}

}  // namespace tarvex
