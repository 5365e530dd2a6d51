#include <gtest/gtest.h>

#include "app/analyse_animation.h"
#include "app/elapsed_clock.h"

namespace tarvex {
namespace {

std::string TickTimes(ElapsedClock& clock, int seconds) {
  std::string last;
  for (int i = 0; i < seconds; ++i) last = clock.Tick();
  return last;
}

TEST(ElapsedClock, CarriesSecondsIntoMinutesAndHours) {
  ElapsedClock clock;
  EXPECT_EQ(clock.Tick(), "Elapsed : 00:00:01");
  EXPECT_EQ(TickTimes(clock, 66), "Elapsed : 00:01:07");
  clock.Reset();
  EXPECT_EQ(TickTimes(clock, 3599), "Elapsed : 00:59:59");
  EXPECT_EQ(clock.Tick(), "Elapsed : 01:00:00");
}

TEST(ElapsedClock, HoursBeyondTwoDigitsAreShownInFull) {
  ElapsedClock clock;
  EXPECT_EQ(TickTimes(clock, 100 * 3600 + 5), "Elapsed : 100:00:05");
}

TEST(AnalyseAnimation, SixTicksMakeOneCycle) {
  AnalyseAnimation animation;
  animation.Start();
  const std::string text = "Sedang Menganalisa, Harap Tunggu";
  for (int cycle = 0; cycle < 2; ++cycle) {
    EXPECT_EQ(animation.Tick(), text);
    EXPECT_EQ(animation.Tick(), text + ".");
    EXPECT_EQ(animation.Tick(), text + "..");
    EXPECT_EQ(animation.Tick(), text + "...");
    EXPECT_EQ(animation.Tick(), text + "....");
    EXPECT_EQ(animation.Tick(), std::nullopt) << "the four dots stay for one tick";
  }
}

TEST(AnalyseAnimation, RestartBeginsWithoutDots) {
  AnalyseAnimation animation;
  animation.Start();
  animation.Tick();
  animation.Tick();
  animation.Start();
  EXPECT_EQ(animation.Tick(), "Sedang Menganalisa, Harap Tunggu");
}

}  // namespace
}  // namespace tarvex
