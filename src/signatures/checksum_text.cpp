#include "signatures/checksum_text.h"

namespace tarvex {

namespace {
constexpr std::string_view kDigits = "0123456789ABCDEF";
}  // namespace

std::string ChecksumText(std::optional<std::int32_t> crc) {
  std::uint32_t v = crc ? static_cast<std::uint32_t>(*crc) : 0u;
  if (v == 0) return "0";
  std::string text;
  for (; v != 0; v >>= 4) text.insert(text.begin(), kDigits[v & 0xF]);
  return text;
}

bool IsChecksumText(std::string_view text) {
  // Up to eight upper-case digits, and no leading zero but that of "0".
  if (text.empty() || text.size() > 8 || (text.size() > 1 && text[0] == '0')) return false;
  return text.find_first_not_of(kDigits) == std::string_view::npos;
}

}  // namespace tarvex
