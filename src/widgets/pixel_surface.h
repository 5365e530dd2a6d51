#pragma once
// A W x H picture of 32-bit colours in memory. The button paints onto it in
// plain C++ with the few drawing operations of the platform it needs, so that
// every painted pixel can be checked without a window; the Win32 side then
// copies it into the window's back buffer.
#include <vector>

#include "base/geometry.h"

namespace tarvex::widgets {

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

class PixelSurface {
 public:
  PixelSurface() = default;
  PixelSurface(int width, int height, ui::Colour fill = 0) { Resize(width, height, fill); }

  // A new size; every pixel becomes `fill`.
  void Resize(int width, int height, ui::Colour fill = 0);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Packed colours, red in the low byte, row after row from the top.
  const std::vector<ui::Colour>& Pixels() const { return pixels_; }

  // Pixels outside the surface are not drawn; reading one gives 0.
  ui::Colour Pixel(int x, int y) const;
  void SetPixel(int x, int y, ui::Colour c);
  // The rectangle left..right-1, top..bottom-1, as the platform's rectangles.
  void Fill(int left, int top, int right, int bottom, ui::Colour c);
  // Its one-pixel outline.
  void Frame(int left, int top, int right, int bottom, ui::Colour c);
  // A horizontal or vertical line from `from` up to, not including, `to`.
  // A pen wider than one pixel covers `width` rows (or columns) centred on the
  // line: width / 2 before it, the rest on and after it.
  void Line(Point from, Point to, ui::Colour c, int width = 1);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<ui::Colour> pixels_;
};

}  // namespace tarvex::widgets
