#include "signatures/val_number.h"

#include <limits>
#include <string>

namespace tarvex {

std::int32_t ValToInt32(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
  }

  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

  // 2^31 fits comfortably; anything larger is clamped right away.
  constexpr std::uint64_t kCap = std::uint64_t{1} << 32;
  std::uint64_t magnitude = 0;
  auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  for (; i < s.size() && isDigit(s[i]); ++i) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(s[i] - '0');
    if (magnitude > kCap) magnitude = kCap;
  }

  if (i < s.size() && s[i] == '.') {
    ++i;
    if (i < s.size() && isDigit(s[i])) {
      int first = s[i++] - '0';
      bool restNonZero = false;
      for (; i < s.size() && isDigit(s[i]); ++i) restNonZero |= s[i] != '0';
      bool up = first > 5 || (first == 5 && (restNonZero || (magnitude & 1u)));
      if (up && magnitude < kCap) ++magnitude;
    }
  }

  if (negative) {
    constexpr std::uint64_t kMinMagnitude = std::uint64_t{1} << 31;
    if (magnitude >= kMinMagnitude) return std::numeric_limits<std::int32_t>::min();
    return -static_cast<std::int32_t>(magnitude);
  }
  if (magnitude > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(magnitude);
}

}  // namespace tarvex
