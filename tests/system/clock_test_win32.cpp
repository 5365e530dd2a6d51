// The real clock writes the activity log's file names and line starts in the
// user's own short date and time formats, whatever they are.
#include <windows.h>

#include <gtest/gtest.h>

#include "system/clock.h"

namespace tarvex {
namespace {

TEST(SystemClock, WritesTheUsersShortDateAndTimeFormats) {
  char date[80] = {}, time[80] = {};
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date, sizeof date);
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time, sizeof time);
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, "yyyy-MM-dd"));
  ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, "HH.mm.ss"));
  const sys::LocalTime evening{2026, 12, 6, 22, 5, 33};
  EXPECT_EQ(sys::SystemClock().ShortDateText(evening), "2026-12-06");
  EXPECT_EQ(sys::SystemClock().TimeText(evening), "22.05.33");
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, date);
  SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, time);
}

}  // namespace
}  // namespace tarvex
