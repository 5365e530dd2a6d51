#include "app/elapsed_clock.h"

namespace tarvex {

namespace {
std::string TwoDigits(int value) {
  std::string text = std::to_string(value);
  return text.size() == 1 ? "0" + text : text;  // hours past 99 are shown in full
}
}  // namespace

void ElapsedClock::Reset() { ElapsedSec = ElapsedMin = ElapsedHour = 0; }

std::string ElapsedClock::Tick() {
  ElapsedSec++;
  if (ElapsedSec > 59) {
    ElapsedSec = 0;
    ElapsedMin++;
  }
  if (ElapsedMin > 59) {
    ElapsedMin = 0;
    ElapsedHour++;
  }
  return "Elapsed : " + TwoDigits(ElapsedHour) + ":" + TwoDigits(ElapsedMin) + ":" + TwoDigits(ElapsedSec);
}

}  // namespace tarvex
