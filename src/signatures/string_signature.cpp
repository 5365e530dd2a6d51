#include "signatures/string_signature.h"

#include <algorithm>
#include <functional>

#include "signatures/val_number.h"
#include "system/files.h"

namespace tarvex {

namespace {

const char* const kVirusTable[] = {
    "CA68A137541AED769C3F:w32.service.exe:17920",
    "60AA606F4DD82135B73D:w32.Burmecia:100",
    "2C245947F84623478D28:w32.KSpoold:285184",
    "15e01040008d4dc88d55d851526a02:w32.TunggulKawung.C:175104",
    // Not a duplicate of the first entry: another sample, another pattern.
    "78b5549268a94cfe224200fa6fa17aef:w32.Service.exe:17920",
    "e8b3b6fbff8945f033d2:w32.spooler:448000",
    kVirusSentinel,
};

// Order matters: detection reports the first entry found.
const char* const kPackerTable[] = {
    "0000004d4557:MEW",
    "555058210c09:UPX",
    "c02e61737061636b00:Aspack",
    "89085045436f6d70616374:PECompact",
    kTableSentinel,
};

const char* const kCompilerTable[] = {
    "0000004d535642564d36302e444c4c000000:MS Visual Basic 6.0",
    "5700650064000300540068007500030046007200690003005300610074:Borland Delphi 7",
    "000000004d6963726f736f66742056697375616c20432b2b2052756e74696d65:MS Visual C++",
    kTableSentinel,
};

template <std::size_t N>
std::string EntryAt(const char* const (&table)[N], std::int16_t index, std::int16_t capacity) {
  if (index < 1 || index > capacity) return std::string();
  if (static_cast<std::size_t>(index) > N) return std::string();
  return table[index - 1];
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string VirusSignature(std::int16_t index) { return EntryAt(kVirusTable, index, 1000); }
std::string PackerSignature(std::int16_t index) { return EntryAt(kPackerTable, index, 100); }
std::string CompilerSignature(std::int16_t index) { return EntryAt(kCompilerTable, index, 100); }

std::string HexToChars(const std::string& hex) {
  std::string out;
  out.reserve(hex.size() / 2 + 1);
  for (std::size_t p = 0; p < hex.size(); p += 2) {
    int value = 0;
    int hi = HexDigit(hex[p]);
    if (hi >= 0) {
      value = hi;
      int lo = p + 1 < hex.size() ? HexDigit(hex[p + 1]) : -1;
      if (lo >= 0) value = value * 16 + lo;
    }
    out.push_back(static_cast<char>(static_cast<unsigned char>(value)));
  }
  return out;
}

bool ContainsPattern(const std::vector<unsigned char>& data, std::string_view pattern) {
  if (pattern.empty() || pattern.size() > data.size()) return false;
  const auto* first = reinterpret_cast<const unsigned char*>(pattern.data());
  std::boyer_moore_horspool_searcher searcher(first, first + pattern.size());
  return std::search(data.begin(), data.end(), searcher) != data.end();
}

std::optional<std::string> FindPattern(const std::string& path, const std::string& pattern,
                                       const std::string& name) {
  std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return ContainsPattern(*bytes, pattern) ? name : std::string();
}

VirusEntry SplitVirusEntry(std::string_view entry) {
  VirusEntry out;
  std::size_t first = entry.find(':');
  out.pattern.assign(entry.substr(0, first));
  if (first == std::string_view::npos) return out;
  std::string_view rest = entry.substr(first + 1);
  std::size_t second = rest.find(':');
  out.name.assign(rest.substr(0, second));
  if (second != std::string_view::npos) out.size = ValToInt32(rest.substr(second + 1));
  return out;
}

const std::vector<ConvertedVirus>& ConvertedVirusTable() {
  static const std::vector<ConvertedVirus> table = [] {
    std::vector<ConvertedVirus> out;
    for (std::int16_t i = 1;; ++i) {
      const std::string entry = VirusSignature(i);
      if (entry.empty() || entry == kVirusSentinel) break;
      VirusEntry virus = SplitVirusEntry(entry);
      out.push_back({virus.name, virus.size, HexToChars(virus.pattern)});
    }
    return out;
  }();
  return table;
}

}  // namespace tarvex
