#pragma once
// Tarvex.db texts as they turn up in the wild: good lines mixed with every
// kind of damage the reader has rules for. `keys` are checksum texts the
// caller wants found (or hidden) somewhere in the file.
#include <random>
#include <string>
#include <vector>

namespace tarvex::testing {

inline std::string RandomDatabaseText(std::mt19937& rng, const std::vector<std::string>& keys) {
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  auto key = [&]() -> std::string { return keys.empty() ? std::string("ABC") : keys[pick(keys.size())]; };
  auto name = [&]() { return "w32.Gen" + std::to_string(pick(1000)); };
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    return s;
  };
  const char* const lineEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\r"};

  std::string text;
  const std::size_t lines = 1 + pick(24);
  for (std::size_t i = 0; i < lines; ++i) {
    std::string line;
    switch (pick(16)) {
      case 0: case 1: case 2: line = key() + ":" + name(); break;
      case 3: line = lower(key()) + ":" + name(); break;          // wrong letter case
      case 4: line = "0" + key() + ":" + name(); break;           // leading zero
      case 5: line = key(); break;                                // no colon
      case 6: line = "Selesai:Selesai"; break;                    // sentinel before the end
      case 7: line = "\"" + key() + ":" + name() + ", quoted\""; break;
      case 8: line = key() + ":" + name() + "," + key() + ":" + name(); break;  // comma splits
      case 9: line = ""; break;                                   // blank line
      case 10: line = "  " + key() + ":" + name() + " \t"; break; // blanks around
      case 11: line = "0:w32.Kosong"; break;                      // empty and unreadable files
      case 12: line = key() + ":" + name() + std::string(1, '\0') + "x"; break;
      case 13: line = key() + ":" + name() + ":extra:colons"; break;
      case 14: {
        for (std::size_t n = pick(12); n > 0; --n) line.push_back(static_cast<char>(rng()));
        break;
      }
      default: line = "Selesai:" + name(); break;  // a name no real entry may have
    }
    text += line + lineEnds[pick(5)];
  }
  switch (pick(4)) {
    case 0: break;                                     // no sentinel at all
    case 1: text += "Selesai:Selesai"; break;          // no line end after it
    default: text += "Selesai:Selesai\r\n" + key() + ":w32.AfterTheEnd\r\n"; break;
  }
  if (pick(8) == 0) text.resize(pick(text.size() + 1));  // cut off mid-download
  return text;
}

}  // namespace tarvex::testing
