#include "signatures/database_check.h"

#include "signatures/checksum_text.h"
#include "signatures/signature_database.h"

namespace tarvex {

namespace {

bool IsEntryLine(std::string_view line) {
  std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return false;
  std::string_view name = line.substr(colon + 1);
  if (name.find(',') != std::string_view::npos) return false;
  if (name.find_first_not_of(" \t") == std::string_view::npos) return false;
  return IsChecksumText(line.substr(0, colon));
}

// The next line of `text` from `pos`, which moves past its line end.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  std::size_t end = text.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(pos, end - pos);
  pos = end;
  if (pos < text.size() && text[pos] == '\r') ++pos;
  if (pos < text.size() && text[pos] == '\n') ++pos;
  return line;
}

}  // namespace

DatabaseCheck CheckDatabaseText(std::string_view text) {
  if (text.size() > kMaxDatabaseBytes) return {DatabaseFault::TooLarge};
  if (text.find('\0') != std::string_view::npos) return {DatabaseFault::NulByte};
  std::size_t pos = 0;
  for (std::size_t number = 1; pos < text.size(); ++number) {
    std::string_view line = NextLine(text, pos);
    if (line == kDatabaseSentinel) {
      if (number == 1) return {DatabaseFault::NoEntries, number};
      return {};
    }
    if (!IsEntryLine(line)) return {DatabaseFault::BadEntry, number};
  }
  return {DatabaseFault::NoSentinel};
}

}  // namespace tarvex
