#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

// The key form of a CRC result in Tarvex.db: upper-case hexadecimal of the
// 32-bit pattern, no leading zeros, no prefix; "0" for zero or no result.
std::string ChecksumText(std::optional<std::int32_t> crc);

}  // namespace tarvex
