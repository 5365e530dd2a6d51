#pragma once
// A clock a test sets: a fixed moment, and date and time texts in a format of
// the test's choosing.
#include <cstdio>
#include <string>

#include "system/clock.h"

namespace tarvex::testing {

class FixedClock : public sys::Clock {
 public:
  explicit FixedClock(sys::LocalTime now = {2026, 12, 6, 22, 5, 33}) : now(now) {}

  sys::LocalTime Now() const override { return now; }
  // dateFormat takes day, month and year in that order, e.g. "%02d/%02d/%04d".
  std::string ShortDateText(const sys::LocalTime& t) const override {
    return Printf(dateFormat.c_str(), dateMonthFirst ? t.month : t.day, dateMonthFirst ? t.day : t.month, t.year);
  }
  std::string TimeText(const sys::LocalTime& t) const override {
    return Printf("%02d:%02d:%02d", t.hour, t.minute, t.second);
  }

  sys::LocalTime now;
  std::string dateFormat = "%02d/%02d/%04d";
  bool dateMonthFirst = false;

 private:
  static std::string Printf(const char* format, int a, int b, int c) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
  }
};

}  // namespace tarvex::testing
