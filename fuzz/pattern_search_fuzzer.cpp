// Input: one byte n, then n % 64 characters of hexadecimal text, then the
// file content. The converted pattern is searched in the content in memory
// (against a plain search), as part of a pattern set, and through a real file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "scratch_file.h"
#include "signatures/pattern_set.h"
#include "signatures/string_signature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvex;
  if (size == 0) return 0;
  std::size_t hexLen = std::min<std::size_t>(data[0] % 64, size - 1);
  std::string hex(reinterpret_cast<const char*>(data + 1), hexLen);
  std::vector<unsigned char> content(data + 1 + hexLen, data + size);

  std::string pattern = HexToChars(hex);
  if (pattern.size() != (hex.size() + 1) / 2) std::abort();

  bool plain = !pattern.empty() &&
               std::search(content.begin(), content.end(), pattern.begin(), pattern.end(),
                           [](unsigned char a, char b) { return a == static_cast<unsigned char>(b); }) !=
                   content.end();
  if (ContainsPattern(content, pattern) != plain) std::abort();

  // Pieces of the pattern as a table: the one-pass search must name the
  // entry a walk over the table names.
  std::vector<std::string> table = {pattern.substr(pattern.size() / 2), pattern, pattern.substr(0, 1), ""};
  std::optional<std::size_t> walked;
  for (std::size_t i = 0; i < table.size() && !walked; ++i) {
    if (ContainsPattern(content, table[i])) walked = i;
  }
  if (PatternSet(table).FirstFound(content.data(), content.size()) != walked) std::abort();

  fuzz::ScratchFile file(content.data(), content.size());
  if (file.ok()) {
    std::optional<std::string> found = FindPattern(file.path(), pattern, "hit");
    if (!found || *found != (plain ? "hit" : "")) std::abort();
  }
  return 0;
}
