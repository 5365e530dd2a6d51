#include "widgets/xp_button_look.h"

namespace tarvex::widgets {

using ui::Rgb;

namespace {

// One row from x1 to x2, both drawn.
void Row(PixelSurface& s, int y, int x1, int x2, ui::Colour c) { s.Line({x1, y}, {x2 + 1, y}, c); }

// The pixels at the two given places of each corner, mirrored from the top
// left: (dx, dy) is the offset from the corner pixel towards the inside.
void AtEachCorner(PixelSurface& s, int dx, int dy, ui::Colour c) {
  int w = s.Width(), h = s.Height();
  s.SetPixel(dx, dy, c);
  s.SetPixel(w - 1 - dx, dy, c);
  s.SetPixel(dx, h - 1 - dy, c);
  s.SetPixel(w - 1 - dx, h - 1 - dy, c);
}

// n / 2 rounded to the nearest integer, halves to the even one.
int HalfToEven(int n) {
  int floor = n >= 0 ? n / 2 : -((-n + 1) / 2);
  if (n % 2 == 0) return floor;
  return floor % 2 == 0 ? floor : floor + 1;
}

}  // namespace

void DrawNormalFace(PixelSurface& s, ui::Colour background) {
  int w = s.Width(), h = s.Height();
  s.Fill(0, 0, w, h, background);
  Gradient face(Rgb(255, 255, 253), 1, 1, 1, Gradient::While::Above, 229);
  for (int y = 3; y <= h - 3; ++y, face.Next()) Row(s, y, 0, w - 2, face.Colour());
  Row(s, h - 2, 0, w - 2, Rgb(214, 208, 197));
  Row(s, h - 3, 0, w - 2, Rgb(226, 223, 214));
  Row(s, h - 4, 0, w - 2, Rgb(236, 235, 230));
}

void DrawPressedFace(PixelSurface& s, ui::Colour background) {
  int w = s.Width(), h = s.Height();
  s.Fill(0, 0, w, h, background);
  Gradient band(Rgb(239, 238, 231), 1, 1, 1, Gradient::While::AtLeast, 218);
  for (int y = 3; y <= h - 2; y += 4, band.Next()) s.Line({0, y}, {w - 1, y}, band.Colour(), 4);
  Row(s, 1, 0, w - 2, Rgb(209, 204, 192));
  Row(s, 2, 0, w - 2, Rgb(220, 216, 207));
  Row(s, h - 3, 0, w - 2, Rgb(234, 233, 227));
  Row(s, h - 2, 0, w - 2, Rgb(242, 241, 238));
}

void DrawHoverRing(PixelSurface& s) {
  int w = s.Width(), h = s.Height();
  Row(s, 1, 2, w - 3, Rgb(255, 240, 207));
  Row(s, 2, 1, w - 2, Rgb(253, 216, 137));
  Gradient outer(Rgb(254, 223, 154), 1, 3, 7, Gradient::While::AtLeast, 49);
  for (int y = 2; y <= h - 3; ++y, outer.Next()) {
    s.SetPixel(1, y, outer.Colour());
    s.SetPixel(w - 2, y, outer.Colour());
  }
  Gradient inner(Rgb(252, 210, 121), 1, 4, 8, Gradient::While::Above, 56);
  for (int y = 3; y <= h - 3; ++y, inner.Next()) {
    s.SetPixel(2, y, inner.Colour());
    s.SetPixel(w - 3, y, inner.Colour());
  }
  // The colour the inner sides' gradient has come to.
  Row(s, h - 3, 3, w - 2, inner.Colour());
  Row(s, h - 2, 2, w - 3, Rgb(229, 151, 0));
}

void DrawFocusRing(PixelSurface& s) {
  int w = s.Width(), h = s.Height();
  Row(s, 1, 2, w - 3, Rgb(206, 231, 251));
  Row(s, 2, 1, w - 2, Rgb(188, 212, 246));
  Gradient side(Rgb(186, 211, 246), 4, 3, 1, Gradient::While::Above, 227);
  for (int y = 3; y <= h - 4; ++y, side.Next()) {
    s.Line({2, y}, {2, y + 1}, side.Colour(), 2);
    s.Line({w - 2, y}, {w - 2, y + 1}, side.Colour(), 2);
  }
  Row(s, h - 3, 1, w - 3, side.Colour());
  s.SetPixel(2, h - 2, Rgb(77, 125, 193));
  Row(s, h - 2, 3, w - 4, Rgb(97, 125, 229));
  s.SetPixel(w - 3, h - 2, Rgb(77, 125, 193));
}

void DrawBorder(PixelSurface& s) {
  s.Frame(0, 0, s.Width(), s.Height(), Rgb(0, 60, 116));
  AtEachCorner(s, 0, 1, Rgb(122, 149, 168));
  AtEachCorner(s, 1, 0, Rgb(122, 149, 168));
  AtEachCorner(s, 1, 1, Rgb(37, 87, 131));
}

void DrawDisabled(PixelSurface& s) {
  int w = s.Width(), h = s.Height();
  s.Fill(0, 0, w, h, Rgb(245, 244, 234));
  s.Frame(0, 0, w, h, Rgb(201, 199, 186));
  AtEachCorner(s, 0, 1, Rgb(216, 213, 199));
  AtEachCorner(s, 1, 0, Rgb(216, 213, 199));
  AtEachCorner(s, 1, 1, Rgb(216, 213, 199));
  AtEachCorner(s, 1, 2, Rgb(234, 233, 222));
  AtEachCorner(s, 2, 1, Rgb(234, 233, 222));
}

Look ChooseLook(const LookState& state, bool pressRequest) {
  if (!state.enabled) return Look::Disabled;
  if (pressRequest && state.lastButton == 1) return Look::Pressed;
  if (state.hovering) return Look::Hover;
  if (state.hasFocus) return Look::Focused;
  return Look::Normal;
}

void PaintLook(PixelSurface& s, Look look, ui::Colour background) {
  switch (look) {
    case Look::Disabled:
      DrawDisabled(s);
      return;
    case Look::Pressed:
      DrawPressedFace(s, background);
      break;
    case Look::Hover:
      DrawNormalFace(s, background);
      DrawHoverRing(s);
      break;
    case Look::Focused:
      DrawNormalFace(s, background);
      DrawFocusRing(s);
      break;
    case Look::Normal:
      DrawNormalFace(s, background);
      break;
  }
  DrawBorder(s);
}

ui::Colour CaptionColour(const LookState& state, ui::Colour foreColor, ui::Colour foreHover) {
  if (!state.enabled) return kDisabledCaptionColour;
  return state.hovering ? foreHover : foreColor;
}

CaptionRect PlaceCaption(int width, int height, int textHeight) {
  return {0, HalfToEven(height - textHeight), width, HalfToEven(height + textHeight)};
}

std::array<Point, 4> RegionCorners(int width, int height) {
  return {Point{0, 0}, Point{0, height - 1}, Point{width - 1, 0}, Point{width - 1, height - 1}};
}

}  // namespace tarvex::widgets
