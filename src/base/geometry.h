#pragma once
// Positions, sizes, colours and fonts as the window designer gives them, in plain C++.
#include <cstdint>

namespace tarvex::ui {

// A rectangle in pixels: left and top in the parent's client area.
struct Box {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  constexpr int right() const { return left + width; }
  constexpr int bottom() const { return top + height; }
  friend constexpr bool operator==(const Box&, const Box&) = default;
};

// 15 twips to the pixel at 96 dots per inch; the designer's values are kept
// in twips in the tables so that they read like the layout they come from.
inline constexpr int kTwipsPerPixel = 15;
constexpr int Px(int twips) {
  return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr Box Twips(int left, int top, int width, int height) { return {Px(left), Px(top), Px(width), Px(height)}; }

// Colours in the platform's packed form (red in the low byte), or a system
// colour index with the top bit set.
using Colour = std::uint32_t;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r & 0xFF) | (static_cast<Colour>(g & 0xFF) << 8) | (static_cast<Colour>(b & 0xFF) << 16);
}
inline constexpr Colour kSystemColourFlag = 0x80000000u;
constexpr Colour SystemColour(int index) { return kSystemColourFlag | static_cast<Colour>(index); }
constexpr bool IsSystemColour(Colour c) { return (c & kSystemColourFlag) != 0; }
inline constexpr Colour kWindowFrameColour = SystemColour(6);
inline constexpr Colour kButtonTextColour = SystemColour(18);
// "No colour given": the control keeps the platform's own.
inline constexpr Colour kDefaultColour = 0xFFFFFFFFu;

struct Font {
  const char* face = nullptr;  // nullptr: the window's default font
  int hundredthsOfPoint = 0;   // 825 is the designer's 8.25 pt
  bool bold = false;
  bool underline = false;
  friend constexpr bool operator==(const Font&, const Font&) = default;
};

}  // namespace tarvex::ui
