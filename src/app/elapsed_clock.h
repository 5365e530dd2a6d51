#pragma once
#include <cstdint>
#include <string>

namespace tarvex {

// The elapsed-time clock of a scan, advanced once a second by its timer.
class ElapsedClock {
 public:
  void Reset();
  // One second more; returns the label text, e.g. "Elapsed : 00:01:07".
  std::string Tick();

 private:
  std::int16_t ElapsedSec = 0;
  std::int16_t ElapsedMin = 0;
  std::int16_t ElapsedHour = 0;
};

}  // namespace tarvex
