// Input: one byte n, then n % 64 characters of hexadecimal text, then the
// file content. The converted pattern is searched in the content both in
// memory (against a plain search) and through a real file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "scratch_file.h"
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

  fuzz::ScratchFile file(content.data(), content.size());
  if (file.ok()) {
    std::optional<std::string> found = FindPattern(file.path(), pattern, "hit");
    if (!found || *found != (plain ? "hit" : "")) std::abort();
  }
  return 0;
}
