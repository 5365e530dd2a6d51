// The button's looks to the pixel, for the usual 75 x 25 button and for the
// short and tall ones where the gradients stop early or run out.
#include "widgets/xp_button_look.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvex::widgets {
namespace {

using ui::Rgb;

constexpr ui::Colour kBack = Rgb(255, 255, 255);

struct Expected {
  int x, y;
  ui::Colour colour;
};

void ExpectPixels(const PixelSurface& s, const std::vector<Expected>& pixels, const char* what) {
  for (const Expected& p : pixels)
    EXPECT_EQ(s.Pixel(p.x, p.y), p.colour) << what << " at (" << p.x << ", " << p.y << ")";
}

TEST(XpButtonLook, NormalFaceIsAGradientWithThreeShadesAtTheBottom) {
  PixelSurface s(75, 25);
  DrawNormalFace(s, kBack);
  ExpectPixels(s,
               {{5, 0, kBack}, {5, 2, kBack}, {0, 3, Rgb(255, 255, 253)}, {73, 3, Rgb(255, 255, 253)},
                {74, 3, kBack},  // the rows end at W - 2
                {5, 4, Rgb(254, 254, 252)}, {5, 20, Rgb(238, 238, 236)}, {5, 21, Rgb(236, 235, 230)},
                {5, 22, Rgb(226, 223, 214)}, {5, 23, Rgb(214, 208, 197)}, {5, 24, kBack}},
               "W 75, H 25");

  // Ten rows high: the gradient covers rows 3 to 7, and 6 to 8 are the shades.
  s.Resize(20, 10);
  DrawNormalFace(s, kBack);
  ExpectPixels(s,
               {{3, 2, kBack}, {3, 3, Rgb(255, 255, 253)}, {3, 4, Rgb(254, 254, 252)}, {3, 5, Rgb(253, 253, 251)},
                {3, 6, Rgb(236, 235, 230)}, {3, 7, Rgb(226, 223, 214)}, {3, 8, Rgb(214, 208, 197)}, {3, 9, kBack}},
               "H 10");

  // Tall: the colour stops at (231, 231, 229) from the 25th gradient row on.
  s.Resize(20, 40);
  DrawNormalFace(s, kBack);
  ExpectPixels(s, {{3, 26, Rgb(232, 232, 230)}, {3, 27, Rgb(231, 231, 229)}, {3, 35, Rgb(231, 231, 229)}}, "H 40");
}

TEST(XpButtonLook, PressedFaceIsBandsOfFourRows) {
  PixelSurface s(75, 25);
  DrawPressedFace(s, kBack);
  ExpectPixels(s,
               {{5, 0, kBack}, {5, 1, Rgb(209, 204, 192)}, {5, 2, Rgb(220, 216, 207)}, {5, 3, Rgb(239, 238, 231)},
                {5, 4, Rgb(239, 238, 231)}, {5, 5, Rgb(238, 237, 230)}, {5, 8, Rgb(238, 237, 230)},
                {5, 9, Rgb(237, 236, 229)}, {5, 21, Rgb(234, 233, 226)}, {5, 22, Rgb(234, 233, 227)},
                {5, 23, Rgb(242, 241, 238)}, {5, 24, Rgb(234, 233, 226)}, {73, 10, Rgb(237, 236, 229)},
                {74, 10, kBack}},
               "W 75, H 25");
  // The bands stop darkening after the one whose blue is 218.
  s.Resize(20, 70);
  DrawPressedFace(s, kBack);
  ExpectPixels(s, {{3, 53, Rgb(226, 225, 218)}, {3, 57, Rgb(225, 224, 217)}, {3, 61, Rgb(225, 224, 217)}}, "H 70");
}

TEST(XpButtonLook, HoverRingIsOrangeWithGradientSides) {
  PixelSurface s(75, 25);
  DrawNormalFace(s, kBack);
  DrawHoverRing(s);
  ExpectPixels(s,
               {{1, 1, kBack}, {2, 1, Rgb(255, 240, 207)}, {72, 1, Rgb(255, 240, 207)}, {73, 1, kBack},
                {1, 2, Rgb(254, 223, 154)}, {2, 2, Rgb(253, 216, 137)}, {73, 2, Rgb(254, 223, 154)},
                // outer sides: darker by (1, 3, 7) until the blue has gone below 49
                {1, 3, Rgb(253, 220, 147)}, {73, 3, Rgb(253, 220, 147)}, {1, 17, Rgb(239, 178, 49)},
                {1, 18, Rgb(238, 175, 42)}, {1, 22, Rgb(238, 175, 42)},
                // inner sides: darker by (1, 4, 8) while the blue is above 56
                {2, 3, Rgb(252, 210, 121)}, {72, 3, Rgb(252, 210, 121)}, {2, 11, Rgb(244, 178, 57)},
                {2, 12, Rgb(243, 174, 49)}, {2, 22, Rgb(243, 174, 49)}, {5, 5, Rgb(253, 253, 251)},
                // bottom: row H - 3 from x 3 to W - 2 in the inner sides' colour, then row H - 2
                {3, 22, Rgb(243, 174, 49)}, {73, 22, Rgb(243, 174, 49)}, {1, 23, Rgb(214, 208, 197)},
                {2, 23, Rgb(229, 151, 0)}, {72, 23, Rgb(229, 151, 0)}, {73, 23, Rgb(214, 208, 197)}},
               "hover");
}

TEST(XpButtonLook, FocusRingIsBlueWithTwoPixelSides) {
  PixelSurface s(75, 25);
  DrawNormalFace(s, kBack);
  DrawFocusRing(s);
  ExpectPixels(s,
               {{1, 1, kBack}, {2, 1, Rgb(206, 231, 251)}, {72, 1, Rgb(206, 231, 251)}, {1, 2, Rgb(188, 212, 246)},
                {73, 2, Rgb(188, 212, 246)}, {74, 2, kBack},
                // the 2-pixel pen on columns 2 and W - 2 covers 1-2 and 72-73
                {1, 3, Rgb(186, 211, 246)}, {2, 3, Rgb(186, 211, 246)}, {3, 3, Rgb(255, 255, 253)},
                {72, 3, Rgb(186, 211, 246)}, {73, 3, Rgb(186, 211, 246)}, {71, 3, Rgb(255, 255, 253)},
                {1, 4, Rgb(182, 208, 245)}, {73, 21, Rgb(114, 157, 228)},
                // bottom: row H - 3 in the colour the sides came to, then the dark row H - 2
                {1, 22, Rgb(110, 154, 227)}, {72, 22, Rgb(110, 154, 227)}, {73, 22, Rgb(226, 223, 214)},
                {2, 23, Rgb(77, 125, 193)}, {3, 23, Rgb(97, 125, 229)}, {71, 23, Rgb(97, 125, 229)},
                {72, 23, Rgb(77, 125, 193)}, {73, 23, Rgb(214, 208, 197)}},
               "focus");
  // Tall: the sides stop darkening once their blue is 227.
  s.Resize(30, 40);
  DrawNormalFace(s, kBack);
  DrawFocusRing(s);
  ExpectPixels(s, {{2, 21, Rgb(114, 157, 228)}, {2, 22, Rgb(110, 154, 227)}, {2, 36, Rgb(110, 154, 227)}}, "H 40");
}

TEST(XpButtonLook, BorderRoundsTheCornersAndTheShapeLacksTheCornerPixels) {
  PixelSurface s(75, 25, kBack);
  DrawBorder(s);
  const ui::Colour frame = Rgb(0, 60, 116), light = Rgb(122, 149, 168), dark = Rgb(37, 87, 131);
  ExpectPixels(s,
               {{0, 0, frame}, {40, 0, frame}, {0, 12, frame}, {74, 12, frame}, {40, 24, frame}, {74, 24, frame},
                {0, 1, light}, {1, 0, light}, {1, 1, dark}, {73, 0, light}, {74, 1, light}, {73, 1, dark},
                {0, 23, light}, {1, 24, light}, {1, 23, dark}, {74, 23, light}, {73, 24, light}, {73, 23, dark},
                {2, 2, kBack}, {72, 22, kBack}},
               "border");
  EXPECT_EQ(RegionCorners(75, 25), (std::array<Point, 4>{Point{0, 0}, {0, 24}, {74, 0}, {74, 24}}));
}

TEST(XpButtonLook, DisabledLookIsAFlatGreyFaceWithSoftCorners) {
  PixelSurface s(75, 25, kBack);
  DrawDisabled(s);
  const ui::Colour face = Rgb(245, 244, 234), frame = Rgb(201, 199, 186), corner = Rgb(216, 213, 199),
                   soft = Rgb(234, 233, 222);
  ExpectPixels(s,
               {{0, 0, frame}, {40, 0, frame}, {74, 24, frame}, {40, 12, face}, {3, 3, face},
                {0, 1, corner}, {1, 1, corner}, {1, 0, corner}, {1, 2, soft}, {2, 1, soft},
                {73, 0, corner}, {73, 1, corner}, {74, 1, corner}, {72, 1, soft}, {73, 2, soft},
                {0, 23, corner}, {1, 23, corner}, {1, 24, corner}, {1, 22, soft}, {2, 23, soft},
                {74, 23, corner}, {73, 23, corner}, {73, 24, corner}, {73, 22, soft}, {72, 23, soft}},
               "disabled");
}

TEST(XpButtonLook, RedrawChoosesTheLookFromTheState) {
  struct Case {
    LookState state;
    bool press;
    Look look;
  };
  const Case cases[] = {
      {{.enabled = false, .hovering = true, .hasFocus = true, .lastButton = 1}, true, Look::Disabled},
      {{.lastButton = 1}, true, Look::Pressed},
      {{.hovering = true, .lastButton = 2}, true, Look::Hover},  // no pressed face after a right click
      {{.hovering = true, .hasFocus = true}, false, Look::Hover},
      {{.hasFocus = true}, true, Look::Focused},  // never clicked: the focus look
      {{.hasFocus = true, .lastButton = 1}, false, Look::Focused},
      {{.lastButton = 1}, false, Look::Normal},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseLook(c.state, c.press), c.look) << static_cast<int>(c.look);

  // Each look paints its own face with the border over it.
  PixelSurface s(75, 25);
  PaintLook(s, Look::Pressed, kBack);
  ExpectPixels(s, {{5, 1, Rgb(209, 204, 192)}, {0, 1, Rgb(122, 149, 168)}}, "pressed");
  PaintLook(s, Look::Hover, kBack);
  ExpectPixels(s, {{5, 1, Rgb(255, 240, 207)}, {1, 1, Rgb(37, 87, 131)}}, "hover");
  PaintLook(s, Look::Focused, kBack);
  ExpectPixels(s, {{5, 1, Rgb(206, 231, 251)}, {0, 0, Rgb(0, 60, 116)}}, "focused");
  PaintLook(s, Look::Normal, kBack);
  ExpectPixels(s, {{5, 1, kBack}, {5, 3, Rgb(255, 255, 253)}, {0, 1, Rgb(122, 149, 168)}}, "normal");
  PaintLook(s, Look::Disabled, kBack);
  ExpectPixels(s, {{5, 1, Rgb(245, 244, 234)}, {0, 0, Rgb(201, 199, 186)}}, "disabled");
}

TEST(XpButtonLook, CaptionColourAndPlacement) {
  const ui::Colour fore = Rgb(0, 0, 128), hover = Rgb(192, 0, 0);
  EXPECT_EQ(CaptionColour({.enabled = false, .hovering = true}, fore, hover), Rgb(161, 161, 146));
  EXPECT_EQ(CaptionColour({.hovering = true}, fore, hover), hover);
  EXPECT_EQ(CaptionColour({.hasFocus = true}, fore, hover), fore);

  struct Case {
    int height, textHeight, top, bottom;
  };
  const Case cases[] = {
      {25, 13, 6, 19},   // whole numbers
      {25, 14, 6, 20},   // 5.5 and 19.5 go to the even 6 and 20
      {25, 12, 6, 18},   // 6.5 and 18.5 go to 6 and 18
      {24, 13, 6, 18},   // 5.5 and 18.5
      {10, 13, -2, 12},  // text taller than the button: -1.5 and 11.5
      {25, 0, 12, 12},   // 12.5 both ways
  };
  for (const Case& c : cases)
    EXPECT_EQ(PlaceCaption(75, c.height, c.textHeight), (CaptionRect{0, c.top, 75, c.bottom}))
        << c.height << " " << c.textHeight;
}

}  // namespace
}  // namespace tarvex::widgets
