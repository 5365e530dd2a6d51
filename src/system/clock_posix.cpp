#include <ctime>

#include "system/clock.h"

namespace tarvex::sys {

namespace {

std::string Format(const LocalTime& t, const char* format) {
  std::tm tm = {};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  char buf[128] = {};
  std::size_t n = std::strftime(buf, sizeof buf, format, &tm);
  return std::string(buf, n);
}

// The native build has no regional settings of its own: day/month/year and
// a 24-hour clock.
class PosixClock final : public Clock {
 public:
  LocalTime Now() const override {
    std::time_t now = std::time(nullptr);
    std::tm tm = {};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  }
  std::string ShortDateText(const LocalTime& t) const override { return Format(t, "%d/%m/%Y"); }
  std::string TimeText(const LocalTime& t) const override { return Format(t, "%H:%M:%S"); }
};

}  // namespace

Clock& SystemClock() {
  static PosixClock clock;
  return clock;
}

}  // namespace tarvex::sys
