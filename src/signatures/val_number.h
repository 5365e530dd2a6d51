#pragma once
#include <cstdint>
#include <string_view>

namespace tarvex {

// The number at the start of text, read the way the classic Val function
// reads it and stored into a signed 32-bit integer: spaces, tabs and line
// feeds are ignored wherever they stand; then an optional sign, decimal
// digits and an optional fraction after a full stop; reading stops at the
// first other character. No number gives 0. A fraction is rounded half to
// even; values beyond the 32-bit range saturate instead of failing.
std::int32_t ValToInt32(std::string_view text);

}  // namespace tarvex
