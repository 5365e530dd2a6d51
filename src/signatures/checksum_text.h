#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// The key form of a CRC result in Tarvex.db: upper-case hexadecimal of the
// 32-bit pattern, no leading zeros, no prefix; "0" for zero or no result.
std::string ChecksumText(std::optional<std::int32_t> crc);

// True when `text` is exactly what ChecksumText gives for some result: a key
// that a lookup can ever match.
bool IsChecksumText(std::string_view text);

}  // namespace tarvex
