#include "widgets/pixel_surface.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tarvex::widgets {

void PixelSurface::Resize(int width, int height, ui::Colour fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill);
}

ui::Colour PixelSurface::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void PixelSurface::SetPixel(int x, int y, ui::Colour c) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
}

void PixelSurface::Fill(int left, int top, int right, int bottom, ui::Colour c) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, width_);
  bottom = std::min(bottom, height_);
  for (int y = top; y < bottom; ++y)
    std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left, std::max(right - left, 0), c);
}

void PixelSurface::Frame(int left, int top, int right, int bottom, ui::Colour c) {
  if (right <= left || bottom <= top) return;
  Fill(left, top, right, top + 1, c);
  Fill(left, bottom - 1, right, bottom, c);
  Fill(left, top, left + 1, bottom, c);
  Fill(right - 1, top, right, bottom, c);
}

void PixelSurface::Line(Point from, Point to, ui::Colour c, int width) {
  if (from.x != to.x && from.y != to.y)
    throw std::invalid_argument("PixelSurface::Line draws horizontal and vertical lines only");
  width = std::max(width, 1);
  int before = width / 2;
  // The end point is left out whichever way the line runs.
  auto span = [](int a, int b) { return a <= b ? std::pair{a, b} : std::pair{b + 1, a + 1}; };
  if (from.y == to.y) {
    auto [left, right] = span(from.x, to.x);
    Fill(left, from.y - before, right, from.y - before + width, c);
  } else {
    auto [top, bottom] = span(from.y, to.y);
    Fill(from.x - before, top, from.x - before + width, bottom, c);
  }
}

}  // namespace tarvex::widgets
