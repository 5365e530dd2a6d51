#pragma once
// The signature tables built into the program and the byte-pattern search.
// An entry is "pattern:name" (packers, compilers) or "pattern:name:size"
// (viruses); each table ends with an entry whose fields are all "Selesai".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

inline constexpr const char* kVirusSentinel = "Selesai:Selesai:Selesai";
inline constexpr const char* kTableSentinel = "Selesai:Selesai";

// Entries by 1-based index. Index 0, indices after the sentinel and indices
// outside the table's capacity (0..1000 viruses, 0..100 packers and
// compilers) give "".
std::string VirusSignature(std::int16_t index);
std::string PackerSignature(std::int16_t index);
std::string CompilerSignature(std::int16_t index);

// Two hex digits per character, either case. A pair is read up to its first
// non-hex character (so "z4" is 0 and "4z" is 4); an odd last digit stands
// alone. Never fails.
std::string HexToChars(const std::string& hex);

// Whether the converted pattern's bytes occur anywhere in data. An empty
// pattern identifies nothing and is never found.
bool ContainsPattern(const std::vector<unsigned char>& data, std::string_view pattern);

// `name` when the converted pattern occurs anywhere in the file, "" when it
// does not, no value when the file cannot be opened or read. The file is read
// whole and closed before the search.
std::optional<std::string> FindPattern(const std::string& path, const std::string& pattern,
                                       const std::string& name);

// A virus entry split at its colons: pattern before the first, name up to the
// second, size after it read by ValToInt32.
struct VirusEntry {
  std::string pattern;
  std::string name;
  std::int32_t size = 0;
};
VirusEntry SplitVirusEntry(std::string_view entry);

// A virus entry with its pattern already turned into bytes.
struct ConvertedVirus {
  std::string name;
  std::int32_t size = 0;
  std::string bytes;
};
// The virus table up to its sentinel, split and converted once for the run:
// the table is part of the program, so there is nothing to convert per file.
const std::vector<ConvertedVirus>& ConvertedVirusTable();

}  // namespace tarvex
