#include "app/analyse_animation.h"

namespace tarvex {

void AnalyseAnimation::Start() {
  AnimStep = 0;
  AnimText = "Sedang Menganalisa, Harap Tunggu";
  AnimDots = "....";
}

std::optional<std::string> AnalyseAnimation::Tick() {
  if (AnimStep == static_cast<std::int16_t>(AnimDots.size()) + 1) {
    AnimStep = 0;
    return std::nullopt;
  }
  std::string text = AnimText + AnimDots.substr(0, static_cast<std::size_t>(AnimStep));
  AnimStep++;
  return text;
}

}  // namespace tarvex
