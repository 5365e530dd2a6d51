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

bool IsChecksumText(std::string_view text) {
  if (text.empty() || text.size() > 8) return false;
  std::uint32_t v = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return false;
    v = (v << 4) | static_cast<std::uint32_t>(digit);
  }
  return ChecksumText(static_cast<std::int32_t>(v)) == text;
}

}  // namespace tarvex
