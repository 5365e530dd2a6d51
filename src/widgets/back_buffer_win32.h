#pragma once
// What a button shows at its next paint: a 32-bit top-down DIB in a memory DC.
#include <windows.h>

#include <optional>

#include "base/scoped_win32.h"
#include "widgets/pixel_surface.h"

namespace tarvex::widgets {

class BackBuffer {
 public:
  BackBuffer(int width, int height);
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;

  // The DC, the bitmap and its bits were all made. A system out of graphics
  // resources may refuse any of them; such a buffer holds nothing to paint.
  bool Made() const { return dc_ && bitmap_ && bits_; }
  bool Fits(int width, int height) const { return width == width_ && height == height_; }
  HDC Dc() const { return dc_.get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The face's pixels into the bitmap; false, with nothing written, when the
  // buffer was not made or the face is of another size.
  bool Copy(const PixelSurface& face);

 private:
  int width_, height_;
  void* bits_ = nullptr;
  ui::ScopedMemoryDc dc_{CreateCompatibleDC(nullptr)};
  ui::ScopedBitmap bitmap_;  // freed after the selection below gives it back
  std::optional<ui::ScopedSelection> selected_;
};

}  // namespace tarvex::widgets
