#include <windows.h>

#include "system/clock.h"

namespace tarvex::sys {

namespace {

// GetDateFormatA and GetTimeFormatA take the same arguments.
std::string Formatted(decltype(&GetDateFormatA) format, DWORD flags, const LocalTime& t) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  char buf[128] = {};
  return format(LOCALE_USER_DEFAULT, flags, &st, nullptr, buf, sizeof buf) > 0 ? std::string(buf) : std::string();
}

class Win32Clock final : public Clock {
 public:
  LocalTime Now() const override {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  }
  std::string ShortDateText(const LocalTime& t) const override { return Formatted(&GetDateFormatA, DATE_SHORTDATE, t); }
  std::string TimeText(const LocalTime& t) const override { return Formatted(&GetTimeFormatA, 0, t); }
};

}  // namespace

Clock& SystemClock() {
  static Win32Clock clock;
  return clock;
}

}  // namespace tarvex::sys
