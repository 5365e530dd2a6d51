#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

// The "analysing" message of the counting pass, growing one dot per tick.
class AnalyseAnimation {
 public:
  void Start();
  // The status text for this tick, or no value on the resting tick that
  // closes each six-tick cycle.
  std::optional<std::string> Tick();

 private:
  std::int16_t AnimStep = 0;
  std::string AnimText;
  std::string AnimDots;
};

}  // namespace tarvex
