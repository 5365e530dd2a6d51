#include "windows/frm_update.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "support/fake_frame.h"

namespace tarvex {
namespace {

using U = frmUpdate;
// A work area 1040 pixels high: its bottom is 15600 twips.
constexpr int kWorkAreaBottomPx = 1040;
constexpr int kWorkAreaBottom = kWorkAreaBottomPx * 15;
// The frame around the stored client area (367 x 162): borders of 3 and a
// caption bar of 18 pixels.
constexpr int kChromeWidth = 6, kChromeHeight = 24;
constexpr int kFrameHeight = 162 + kChromeHeight;

struct Reminder {
  std::vector<std::string> log;
  int downloadWindowShown = 0;
  U state{{
      .workArea = [] { return ui::Box{0, 0, 1280, kWorkAreaBottomPx}; },
      .writeLog = [this](const std::string& m) { log.push_back(m); },
      .showDownloadWindow = [this] { ++downloadWindowShown; },
  }};
  testing::FakeFrame frame;

  // Loads the window with its frame's top at `top` pixels.
  void LoadAt(int top) {
    frame.box = {40, top, 367 + kChromeWidth, kFrameHeight};
    frame.Load(state);
  }
  bool Running(int timer) const { return state.Timers().Running(timer); }
  // Ticks `timer` while it runs and the window is loaded; the ticks taken.
  int TickWhileRunning(int timer) {
    int ticks = 0;
    while (frame.Tick(timer) && ticks < 1000) ++ticks;
    return ticks;
  }
};

TEST(UpdateReminder, LoadsWithItsTextsAndSlideInAndUpdateSekarangLogsAndShowsEachTime) {
  Reminder r;
  r.LoadAt(100);
  EXPECT_EQ(r.frame.title, "Pengingat Update");
  EXPECT_EQ(r.state.WorkAreaBottom(), kWorkAreaBottom);
  EXPECT_EQ(r.state.Controls().Text(U::lblvalue0), "Update database virus disini");
  EXPECT_EQ(r.state.Controls().Text(U::lblvalue2), "Pengingat Update!");
  EXPECT_EQ(r.state.Controls().Text(U::lblvalue1), "Update database virus terbaru di www.tarvex.web.id");
  EXPECT_TRUE(r.Running(U::tmrFadeIn));
  EXPECT_FALSE(r.Running(U::tmrUpdate) || r.Running(U::tmrFadeOut));

  r.state.Click(U::cmdUpdate);
  r.state.Click(U::cmdUpdate);
  EXPECT_EQ(r.log, (std::vector<std::string>{"frmCheckUpdate", "frmCheckUpdate"}));
  EXPECT_EQ(r.downloadWindowShown, 2);
  r.state.GotFocus(U::cmdUpdate);
  EXPECT_TRUE(r.state.Loaded());
  r.state.GotFocus(U::cmdCancel);
  EXPECT_FALSE(r.state.Loaded());
  EXPECT_EQ(r.frame.moves, 0) << "closed at once, no slide-out";
}

TEST(UpdateReminder, AFailingLogStillShowsTheDownloadWindow) {
  int shown = 0;
  U state{{.workArea = [] { return ui::Box{0, 0, 800, 600}; },
           .writeLog = [](const std::string&) { throw std::runtime_error("disk full"); },
           .showDownloadWindow = [&] { ++shown; }}};
  testing::FakeFrame frame;
  frame.Load(state);
  state.Click(U::cmdUpdate);
  EXPECT_EQ(shown, 1);
}

TEST(UpdateReminder, RisesWhileTheTopIsAtOrBelowWorkAreaBottomMinusHeight) {
  // The frame is 2790 twips high at first and 2750 after a step (a client
  // area of 2390): the first comparison's line lies at 15600 - 2790 = 12810.
  struct Case {
    const char* what;
    int topPx;
    int rises;
  };
  const Case cases[] = {
      {"opens high: holds at once", 100, 0},
      {"one pixel above the line: holds at once", kWorkAreaBottomPx - kFrameHeight - 1, 0},
      {"exactly on the line: one more step", kWorkAreaBottomPx - kFrameHeight, 1},
      // From 15600 down to 12850, the last top not above 15600 - 2750.
      {"from the bottom of the work area", kWorkAreaBottomPx, 111},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reminder r;
    r.LoadAt(c.topPx);
    EXPECT_EQ(r.TickWhileRunning(U::tmrFadeIn), c.rises + 1);
    EXPECT_EQ(r.frame.moves, c.rises);
    EXPECT_TRUE(r.Running(U::tmrUpdate));
    if (c.rises == 0) continue;
    U::TwipsBox end = r.state.FrameTwips();
    EXPECT_EQ(end.top, c.topPx * 15 - 25 * c.rises);
    // Each step gives the client area the layout's size, 5395 x 2390.
    EXPECT_EQ(end.width, 5395 + kChromeWidth * 15);
    EXPECT_EQ(end.height, 2390 + kChromeHeight * 15);
    EXPECT_EQ(r.frame.box, (ui::Box{40, ui::Px(end.top), 366, 183}));
  }
}

TEST(UpdateReminder, HoldEndsOnTheSixteenthTickAndOnTheFirstOfALaterShowing) {
  Reminder r;
  r.LoadAt(100);
  r.frame.Tick(U::tmrFadeIn);
  for (int tick = 1; tick <= 15; ++tick) r.frame.Tick(U::tmrUpdate);
  EXPECT_FALSE(r.Running(U::tmrFadeOut));
  r.frame.Tick(U::tmrUpdate);
  EXPECT_TRUE(r.Running(U::tmrFadeOut));
  r.frame.Tick(U::tmrUpdate);
  EXPECT_EQ(r.state.HoldCount(), 15) << "later hold ticks change nothing";

  r.frame.Close();
  r.LoadAt(100);
  EXPECT_FALSE(r.Running(U::tmrUpdate) || r.Running(U::tmrFadeOut));
  r.frame.Tick(U::tmrFadeIn);
  r.frame.Tick(U::tmrUpdate);
  EXPECT_TRUE(r.Running(U::tmrFadeOut));
}

TEST(UpdateReminder, SinksInStepsUntilTheTopIsBelowWorkAreaBottom) {
  struct Case {
    const char* what;
    int startTop;  // twips, a whole number of pixels
    int steps;
  };
  const Case cases[] = {
      {"top equal to the bottom: one more step", kWorkAreaBottom, 1},
      {"one pixel below the bottom: closes at once", kWorkAreaBottom + 15, 0},
      {"from the middle of the screen", 7500, (kWorkAreaBottom - 7500) / 25 + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reminder r;
    r.LoadAt(c.startTop / 15);
    r.state.Timers().Stop(U::tmrFadeIn);
    r.state.Timers().Start(U::tmrFadeOut);
    for (int step = 1; step <= c.steps; ++step) {
      r.frame.Tick(U::tmrFadeOut);
      ASSERT_EQ(r.state.FrameTwips().top, c.startTop + 25 * step);
    }
    EXPECT_TRUE(r.state.Loaded());
    r.frame.Tick(U::tmrFadeOut);
    EXPECT_FALSE(r.state.Loaded());
    EXPECT_EQ(r.frame.moves, c.steps);
  }
}

}  // namespace
}  // namespace tarvex
