#include "windows/ext_tool_window_win32.h"

#include <vector>

namespace tarvex {

namespace {

// The cursor drawn in an image; the caller destroys it.
HCURSOR MakeCursor(const CursorImage& image) {
  // One bit per pixel, rows of 32 bits: the AND plane keeps the screen where
  // the image is transparent, the XOR plane makes white.
  std::vector<BYTE> andPlane(32 * 4, 0), xorPlane(32 * 4, 0);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
      const char c = image.rows[static_cast<std::size_t>(y)][x];
      if (c == '.') andPlane[y * 4 + x / 8] |= bit;
      if (c == 'o') xorPlane[y * 4 + x / 8] |= bit;
    }
  }
  return CreateCursor(GetModuleHandleW(nullptr), image.hotX, image.hotY, 32, 32, andPlane.data(), xorPlane.data());
}

}  // namespace

ExtToolWindow::ExtToolWindow(ExtToolServices services)
    : ui::TableWindow(std::make_unique<frmExtTool>(std::move(services))), cursor_(MakeCursor(kHandCursor)) {}

LRESULT ExtToolWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SETCURSOR && reinterpret_cast<HWND>(wp) == Control(frmExtTool::Label1) && cursor_) {
    SetCursor(cursor_.get());
    return TRUE;
  }
  return ui::TableWindow::OnMessage(msg, wp, lp);
}

}  // namespace tarvex
