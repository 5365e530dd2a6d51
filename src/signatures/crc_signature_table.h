#pragma once
// Tarvex.db parsed once into a lookup table that answers every checksum text
// exactly as reading the file from the start for each lookup does.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "signatures/signature_database.h"

namespace tarvex {

// What parsing found, for a caller that wants to warn about a damaged file.
struct DatabaseHealth {
  std::size_t bytes = 0;
  std::size_t signatures = 0;         // distinct keys before the sentinel
  std::size_t entriesWithoutColon = 0;
  std::string firstEntryWithoutColon;  // its start only: a line may be megabytes long
  bool sentinelFound = false;
  DatabaseProblem fault;               // the reader's first
};

class CrcSignatureTable {
 public:
  // The entries up to the sentinel (the first entry of a key wins; entries
  // without a colon are skipped; without a sentinel, all of them).
  static CrcSignatureTable FromText(std::string_view dbText);

  // The virus name for a checksum text, or "" (not infected).
  std::string Lookup(const std::string& checksumText) const;

  const DatabaseHealth& Health() const { return health_; }

 private:
  std::unordered_map<std::string, std::string> names_;
  DatabaseHealth health_;
};

}  // namespace tarvex
