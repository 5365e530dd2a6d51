// The button's back buffer, made and refused by the system.
#include "widgets/back_buffer_win32.h"

#include <gtest/gtest.h>

namespace tarvex::widgets {
namespace {

TEST(BackBuffer, WritesOnlyIntoABitmapThatWasMade) {
  const PixelSurface face(2, 1, ui::Rgb(10, 20, 30));
  BackBuffer made(2, 1);
  ASSERT_TRUE(made.Made());
  EXPECT_TRUE(made.Copy(face));
  EXPECT_EQ(GetPixel(made.Dc(), 1, 0), RGB(10, 20, 30));
  EXPECT_FALSE(made.Copy(PixelSurface(3, 1)));  // the face of another size would overrun it

  // More than any bitmap may hold: the system makes none, and nothing is written.
  BackBuffer refused(1 << 16, 1 << 16);
  EXPECT_FALSE(refused.Made());
  EXPECT_FALSE(refused.Copy(face));
}

}  // namespace
}  // namespace tarvex::widgets
