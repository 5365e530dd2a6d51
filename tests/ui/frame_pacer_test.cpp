#include "ui/frame_pacer.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvex::ui {
namespace {

TEST(FramePacer, OnceAFrameHasPassedSinceTheLastTurn) {
  struct Case {
    std::vector<std::uint64_t> times;
    std::vector<bool> due;
  };
  const Case cases[] = {
      {{0}, {true}},                                       // the first yield always gets a turn
      {{1000, 1000, 1015, 1016}, {true, false, false, true}},
      {{5, 20, 21, 37}, {true, false, true, true}},      // measured from the last turn, not the last call
  };
  for (const Case& c : cases) {
    std::size_t i = 0;
    FramePacer pacer([&] { return c.times[i]; });
    for (i = 0; i < c.times.size(); ++i) EXPECT_EQ(pacer.Due(), c.due[i]) << "call " << i << " at " << c.times[i];
  }
}

TEST(FramePacer, ASlowTurnStillLeavesAFrameOfWorkBeforeTheNext) {
  std::uint64_t now = 0;
  FramePacer pacer([&] { return now; });
  ASSERT_TRUE(pacer.Due());
  now = 40;  // the turn took longer than a frame
  pacer.TurnEnded();
  now = 41;
  EXPECT_FALSE(pacer.Due());
  now = 56;
  EXPECT_TRUE(pacer.Due());
}

}  // namespace
}  // namespace tarvex::ui
