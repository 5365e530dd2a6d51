#pragma once
// Today's date and the time of day, and their texts in the user's own
// formats. One clock serves the whole program, so that tests can set it.
#include <string>

namespace tarvex::sys {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;    // 1 to 31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() const = 0;
  // The date in the user's short date format (e.g. "06/12/2026"), ANSI.
  virtual std::string ShortDateText(const LocalTime& t) const = 0;
  // The time in the user's time format (e.g. "22:05:33" or "10:05:33 PM"), ANSI.
  virtual std::string TimeText(const LocalTime& t) const = 0;
};

// The system's clock and the user's regional formats.
Clock& SystemClock();

}  // namespace tarvex::sys
