// The real clock: the user's own short date and time formats, which name the
// activity log's files and begin its lines, and the local time of day.
#include <windows.h>

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "system/clock.h"

namespace tarvex {
namespace {

// Sets one of the user's regional formats for the test's life.
class UserFormat {
 public:
  UserFormat(LCTYPE item, const char* format) : item_(item) {
    char old[80] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, item, old, sizeof old);
    old_ = old;
    EXPECT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, item, format));
  }
  ~UserFormat() { SetLocaleInfoA(LOCALE_USER_DEFAULT, item_, old_.c_str()); }

 private:
  LCTYPE item_;
  std::string old_;
};

TEST(SystemClock, WritesInTheUsersFormatsAndTellsTheLocalTime) {
  const sys::Clock& clock = sys::SystemClock();
  const sys::LocalTime evening{2026, 12, 6, 22, 5, 33};
  {
    UserFormat date(LOCALE_SSHORTDATE, "dd/MM/yyyy"), time(LOCALE_STIMEFORMAT, "HH:mm:ss");
    EXPECT_EQ(clock.ShortDateText(evening), "06/12/2026");
    EXPECT_EQ(clock.TimeText(evening), "22:05:33");
  }
  {
    UserFormat date(LOCALE_SSHORTDATE, "yyyy-MM-dd"), time(LOCALE_STIMEFORMAT, "h.mm.ss tt");
    EXPECT_EQ(clock.ShortDateText(evening), "2026-12-06");
    EXPECT_EQ(clock.TimeText({2026, 12, 6, 9, 5, 3}).substr(0, 7), "9.05.03");
  }

  // The same moment as the C runtime's own local time, give or take a second.
  const std::time_t before = std::time(nullptr);
  const sys::LocalTime now = clock.Now();
  std::tm t = {};
  t.tm_year = now.year - 1900;
  t.tm_mon = now.month - 1;
  t.tm_mday = now.day;
  t.tm_hour = now.hour;
  t.tm_min = now.minute;
  t.tm_sec = now.second;
  t.tm_isdst = -1;
  const double apart = std::difftime(std::mktime(&t), before);
  EXPECT_GE(apart, -1.0);
  EXPECT_LE(apart, 2.0);
}

}  // namespace
}  // namespace tarvex
