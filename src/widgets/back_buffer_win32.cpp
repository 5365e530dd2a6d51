#include "widgets/back_buffer_win32.h"

namespace tarvex::widgets {

BackBuffer::BackBuffer(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
  if (!bitmap_) bits_ = nullptr;
  if (Made()) selected_.emplace(dc_.get(), bitmap_.get());
}

bool BackBuffer::Copy(const PixelSurface& face) {
  if (!Made() || !Fits(face.Width(), face.Height())) return false;
  GdiFlush();
  auto* out = static_cast<DWORD*>(bits_);
  for (ui::Colour c : face.Pixels()) *out++ = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  return true;
}

}  // namespace tarvex::widgets
