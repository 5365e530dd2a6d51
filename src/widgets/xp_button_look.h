#pragma once
// How the XP button looks, to the pixel: the painters of each look, the choice
// among them, where the caption goes and in which colour, and which pixels the
// window's shape leaves out. Plain C++ over a PixelSurface.
#include <array>

#include "base/geometry.h"
#include "widgets/pixel_surface.h"

namespace tarvex::widgets {

// The colour of successive rows of a gradient: the first row takes `start`;
// after each row the components go down by the step for as long as the blue
// just used is above (or at least) the bound, and then stay.
class Gradient {
 public:
  enum class While { Above, AtLeast };
  constexpr Gradient(ui::Colour start, int stepRed, int stepGreen, int stepBlue, While rule, int blueBound)
      : r_(start & 0xFF), g_((start >> 8) & 0xFF), b_((start >> 16) & 0xFF),
        dr_(stepRed), dg_(stepGreen), db_(stepBlue), rule_(rule), bound_(blueBound) {}
  constexpr ui::Colour Colour() const { return ui::Rgb(r_, g_, b_); }
  // Called after each row.
  constexpr void Next() {
    if (rule_ == While::Above ? b_ > bound_ : b_ >= bound_) {
      r_ -= dr_;
      g_ -= dg_;
      b_ -= db_;
    }
  }

 private:
  int r_, g_, b_;
  int dr_, dg_, db_;
  While rule_;
  int bound_;
};

// The painters. The faces start afresh from `background` (the disabled look
// covers every pixel itself); the rings and the border draw over what is there.
void DrawNormalFace(PixelSurface& s, ui::Colour background);
void DrawPressedFace(PixelSurface& s, ui::Colour background);
void DrawHoverRing(PixelSurface& s);
void DrawFocusRing(PixelSurface& s);
void DrawBorder(PixelSurface& s);
void DrawDisabled(PixelSurface& s);

enum class Look { Disabled, Pressed, Hover, Focused, Normal };

struct LookState {
  bool enabled = true;
  bool hovering = false;
  bool hasFocus = false;
  int lastButton = 0;  // 1 left, 2 right, 4 middle
};

// The look a repaint shows: a press request shows the pressed face only after
// a left-button (or keyboard) click; the hover ring wins over the focus ring.
Look ChooseLook(const LookState& state, bool pressRequest);
// Paints the whole face of that look (everything but the caption).
void PaintLook(PixelSurface& s, Look look, ui::Colour background);

inline constexpr ui::Colour kDisabledCaptionColour = ui::Rgb(161, 161, 146);
ui::Colour CaptionColour(const LookState& state, ui::Colour foreColor, ui::Colour foreHover);

// The caption's rectangle in a client area of width x height for text that
// measures textHeight: vertically centred, rounded half to even.
struct CaptionRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend constexpr bool operator==(const CaptionRect&, const CaptionRect&) = default;
};
CaptionRect PlaceCaption(int width, int height, int textHeight);

// The four corner pixels the window's shape leaves out.
std::array<Point, 4> RegionCorners(int width, int height);

}  // namespace tarvex::widgets
