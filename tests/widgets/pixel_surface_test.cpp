#include "widgets/pixel_surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex::widgets {
namespace {

// The surface as rows of '#' (drawn) and '.' (untouched), for whole-picture checks.
std::vector<std::string> Picture(const PixelSurface& s) {
  std::vector<std::string> rows;
  for (int y = 0; y < s.Height(); ++y) {
    std::string row;
    for (int x = 0; x < s.Width(); ++x) row += s.Pixel(x, y) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

TEST(PixelSurface, DrawsLinesWithoutTheirEndPointAndWidePensCentredOnTheLine) {
  struct Case {
    const char* what;
    void (*draw)(PixelSurface&);
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"left to right", [](PixelSurface& s) { s.Line({1, 1}, {4, 1}, 9); },
       {"......", ".###..", "......", "......", "......"}},
      {"right to left", [](PixelSurface& s) { s.Line({4, 1}, {1, 1}, 9); },
       {"......", "..###.", "......", "......", "......"}},
      {"downwards", [](PixelSurface& s) { s.Line({0, 0}, {0, 3}, 9); },
       {"#.....", "#.....", "#.....", "......", "......"}},
      {"upwards", [](PixelSurface& s) { s.Line({5, 3}, {5, 0}, 9); },
       {"......", ".....#", ".....#", ".....#", "......"}},
      {"two pixels wide, one row long", [](PixelSurface& s) { s.Line({2, 1}, {2, 2}, 9, 2); },
       {"......", ".##...", "......", "......", "......"}},
      {"four pixels wide band", [](PixelSurface& s) { s.Line({0, 2}, {5, 2}, 9, 4); },
       {"#####.", "#####.", "#####.", "#####.", "......"}},
      {"frame", [](PixelSurface& s) { s.Frame(1, 1, 5, 4, 9); },
       {"......", ".####.", ".#..#.", ".####.", "......"}},
      {"fill clipped at the edges", [](PixelSurface& s) { s.Fill(-3, 3, 9, 9, 9); },
       {"......", "......", "......", "######", "######"}},
      {"pixels outside are ignored", [](PixelSurface& s) { s.SetPixel(6, 0, 9), s.SetPixel(-1, 2, 9), s.SetPixel(2, 2, 9); },
       {"......", "......", "..#...", "......", "......"}},
  };
  for (const Case& c : cases) {
    PixelSurface s(6, 5);
    c.draw(s);
    EXPECT_EQ(Picture(s), c.expected) << c.what;
  }
  PixelSurface s(2, 2);
  EXPECT_THROW(s.Line({0, 0}, {1, 1}, 9), std::invalid_argument);
  EXPECT_EQ(s.Pixel(5, 5), 0u);
}

}  // namespace
}  // namespace tarvex::widgets
