#include "signatures/checksum_text.h"

namespace tarvex {

std::string ChecksumText(std::optional<std::int32_t> crc) {
  std::uint32_t v = crc ? static_cast<std::uint32_t>(*crc) : 0u;
  if (v == 0) return "0";
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (; v != 0; v >>= 4) text.insert(text.begin(), kDigits[v & 0xF]);
  return text;
}

}  // namespace tarvex
