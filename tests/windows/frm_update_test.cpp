#include "windows/frm_update.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "support/fake_frame.h"

namespace tarvex {
namespace {

using testing::FakeFrame;

// A work area 1040 pixels high: its bottom is 15600 twips.
constexpr int kWorkAreaBottomPx = 1040;
constexpr int kWorkAreaBottom = kWorkAreaBottomPx * 15;
// Caption bar and borders of the frame around the client area, in pixels.
constexpr int kChromeWidth = 6;
constexpr int kChromeHeight = 24;
// The frame of the stored client area, 5505 x 2430 twips.
constexpr int kFrameHeight = 162 + kChromeHeight;

struct Reminder {
  std::vector<std::string> log;
  int downloadWindowShown = 0;
  frmUpdate state{{
      .workArea = [] { return ui::Box{0, 0, 1280, kWorkAreaBottomPx}; },
      .writeLog = [this](const std::string& m) { log.push_back(m); },
      .showDownloadWindow = [this] { ++downloadWindowShown; },
  }};
  FakeFrame frame;

  // Loads the window with its frame at `top` (pixels).
  void LoadAt(int top) {
    frame.box = {40, top, 367 + kChromeWidth, kFrameHeight};
    frame.Load(state);
  }
  bool Running(int timer) const { return state.Timers().Running(timer); }
};

TEST(UpdateReminderLoad, SetsCaptionLabelsWorkAreaAndStartsTheSlideIn) {
  Reminder r;
  r.LoadAt(100);
  EXPECT_EQ(r.frame.title, "Pengingat Update");
  EXPECT_EQ(r.state.WorkAreaBottom(), kWorkAreaBottom);
  EXPECT_EQ(r.state.HoldLimit(), 15);
  EXPECT_EQ(r.state.Controls().Text(frmUpdate::lblvalue0), "Update database virus disini");
  EXPECT_EQ(r.state.Controls().Text(frmUpdate::lblvalue2), "Pengingat Update!");
  EXPECT_EQ(r.state.Controls().Text(frmUpdate::lblvalue1), "Update database virus terbaru di www.tarvex.web.id");
  EXPECT_TRUE(r.Running(frmUpdate::tmrFadeIn));
  EXPECT_FALSE(r.Running(frmUpdate::tmrUpdate));
  EXPECT_FALSE(r.Running(frmUpdate::tmrFadeOut));
  EXPECT_EQ(r.state.Timers().Interval(frmUpdate::tmrUpdate), r.state.Timers().Interval(frmUpdate::tmrFadeIn));
  EXPECT_EQ(r.state.Timers().Interval(frmUpdate::tmrFadeOut), r.state.Timers().Interval(frmUpdate::tmrFadeIn));
}

TEST(UpdateReminderSlideIn, RisesWhileTheTopIsAtOrBelowWorkAreaBottomMinusHeight) {
  // The frame is 2790 twips high at first, 2750 after a step (a client area
  // of 2390); the line of the first comparison lies at 15600 - 2790 = 12810.
  struct Case {
    const char* what;
    int topPx;
    int rises;  // slide ticks before the hold starts
  };
  const Case cases[] = {
      {"opens high: holds at once", 100, 0},
      {"one pixel above the line: holds at once", kWorkAreaBottomPx - kFrameHeight - 1, 0},
      // 12810 rises to 12785, which is above 15600 - 2750.
      {"exactly on the line: one more step", kWorkAreaBottomPx - kFrameHeight, 1},
      // From 15600 in steps down to 12850, the last top not above 15600 - 2750.
      {"from below the work area", kWorkAreaBottomPx, 111},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reminder r;
    r.LoadAt(c.topPx);
    const int startTop = c.topPx * 15;
    int ticks = 0;
    while (r.Running(frmUpdate::tmrFadeIn) && ticks < 1000) {
      r.frame.Tick(frmUpdate::tmrFadeIn);
      ++ticks;
    }
    EXPECT_EQ(ticks, c.rises + 1);
    EXPECT_EQ(r.frame.moves, c.rises);
    EXPECT_TRUE(r.Running(frmUpdate::tmrUpdate));
    if (c.rises == 0) continue;
    frmUpdate::TwipsBox end = r.state.FrameTwips();
    EXPECT_EQ(end.top, startTop - 25 * c.rises);
    // Every step gives the client area the layout's size, 5395 x 2390.
    EXPECT_EQ(end.width, 5395 + kChromeWidth * 15);
    EXPECT_EQ(end.height, 2390 + kChromeHeight * 15);
    EXPECT_EQ(r.frame.box, (ui::Box{40, ui::Px(end.top), 366, 183}));
  }
}

TEST(UpdateReminderHold, EndsOnTheSixteenthTickAndOnTheFirstOfALaterShowing) {
  Reminder r;
  r.LoadAt(100);
  r.frame.Tick(frmUpdate::tmrFadeIn);
  for (int tick = 1; tick <= 15; ++tick) {
    r.frame.Tick(frmUpdate::tmrUpdate);
    ASSERT_FALSE(r.Running(frmUpdate::tmrFadeOut)) << "tick " << tick;
  }
  r.frame.Tick(frmUpdate::tmrUpdate);
  EXPECT_TRUE(r.Running(frmUpdate::tmrFadeOut));
  EXPECT_EQ(r.state.HoldCount(), 15);
  // Further hold ticks during the slide-out change nothing.
  r.frame.Tick(frmUpdate::tmrUpdate);
  EXPECT_EQ(r.state.HoldCount(), 15);

  r.state.GotFocus(frmUpdate::cmdCancel);
  ASSERT_FALSE(r.state.Loaded());

  r.LoadAt(100);
  EXPECT_TRUE(r.Running(frmUpdate::tmrFadeIn));
  EXPECT_FALSE(r.Running(frmUpdate::tmrUpdate));
  r.frame.Tick(frmUpdate::tmrFadeIn);
  r.frame.Tick(frmUpdate::tmrUpdate);
  EXPECT_TRUE(r.Running(frmUpdate::tmrFadeOut));
}

TEST(UpdateReminderSlideOut, SinksInStepsUntilTheTopIsBelowWorkAreaBottom) {
  struct Case {
    const char* what;
    int startTop;  // twips, a whole number of pixels
    int steps;     // moves before the closing tick
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
    r.state.Timers().Stop(frmUpdate::tmrFadeIn);
    r.state.Timers().Start(frmUpdate::tmrFadeOut);
    int ticks = 0;
    while (r.state.Loaded() && ticks < 1000) {
      r.frame.Tick(frmUpdate::tmrFadeOut);
      ++ticks;
      if (r.state.Loaded()) {
        EXPECT_EQ(r.state.FrameTwips().top, c.startTop + 25 * ticks);
      }
    }
    EXPECT_EQ(ticks, c.steps + 1);
    EXPECT_EQ(r.frame.moves, c.steps);
    EXPECT_EQ(r.frame.closed, 1);
  }
}

TEST(UpdateReminderSlide, StartsFromWhereTheUserMovedTheWindow) {
  Reminder r;
  r.LoadAt(kWorkAreaBottomPx);
  r.frame.Tick(frmUpdate::tmrFadeIn);
  r.frame.box.top = 990;  // dragged by its caption between two ticks
  r.frame.Tick(frmUpdate::tmrFadeIn);
  EXPECT_EQ(r.state.FrameTwips().top, 990 * 15 - 25);
}

TEST(UpdateReminderCommands, UpdateLogsAndShowsEachTimeCancelFocusCloses) {
  Reminder r;
  r.LoadAt(100);
  r.state.Click(frmUpdate::cmdUpdate);
  r.state.Click(frmUpdate::cmdUpdate);
  EXPECT_EQ(r.log, (std::vector<std::string>{"frmCheckUpdate", "frmCheckUpdate"}));
  EXPECT_EQ(r.downloadWindowShown, 2);
  r.state.GotFocus(frmUpdate::cmdUpdate);
  EXPECT_TRUE(r.state.Loaded());
  r.state.GotFocus(frmUpdate::cmdCancel);
  EXPECT_FALSE(r.state.Loaded());
  EXPECT_EQ(r.frame.moves, 0);  // closed at once, no slide-out
}

TEST(UpdateReminderCommands, AFailingLogStillShowsTheDownloadWindow) {
  int shown = 0;
  frmUpdate state{{
      .workArea = [] { return ui::Box{0, 0, 800, 600}; },
      .writeLog = [](const std::string&) { throw std::runtime_error("disk full"); },
      .showDownloadWindow = [&] { ++shown; },
  }};
  FakeFrame frame;
  frame.Load(state);
  state.Click(frmUpdate::cmdUpdate);
  EXPECT_EQ(shown, 1);
}

TEST(UpdateReminderServices, AMissingServiceIsRefusedAtOnce) {
  EXPECT_THROW(frmUpdate({.workArea = {}, .writeLog = [](const std::string&) {}, .showDownloadWindow = [] {}}),
               std::invalid_argument);
}

}  // namespace
}  // namespace tarvex
