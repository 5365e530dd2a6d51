#pragma once
// The quarantine's memory: a plain UTF-8 text file in the quarantine folder
// that a person can open, one line per record, fields split by tabs:
//   karantina TIME ORIGINAL NAME VIRUS SIZE CHECKSUM ATTRIBUTES
//   pulihkan  TIME RESTORED-TO NAME VIRUS SIZE CHECKSUM ATTRIBUTES
// A "karantina" line is written (and flushed) before its file is moved in; a
// "pulihkan" line after a file went back. Lines are only ever appended.
// Within a field, a byte below 0x20, "%" and a byte that is not part of
// well-formed UTF-8 are written as "%" and two hexadecimal digits, so that
// every name survives and the file stays UTF-8.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex {

inline constexpr const char* kManifestName = "karantina.txt";

struct ManifestRecord {
  enum class Kind { Quarantined, Restored };
  Kind kind = Kind::Quarantined;
  std::string time;      // "2026-12-08 18:30:05"
  std::string original;  // full path: where it came from, or where it went back to
  std::string name;      // its name in the quarantine folder
  std::string virus;     // UTF-8
  std::int64_t size = 0;
  std::string checksum;  // the checksum text
  std::uint32_t attributes = 0;
  std::string sha256;  // of the content, lower-case hexadecimal; empty on an older line
  // Quarantined lines are numbered from 1 in file order, whatever became of
  // the others: an entry keeps its number for good. 0 for other records.
  int id = 0;
};

// The record as one line, its line end included.
std::string ManifestLine(const ManifestRecord& record);

// Every well-formed record of a manifest. A damaged or truncated line costs
// only itself (a quarantined one still takes its number).
std::vector<ManifestRecord> ParseManifest(std::string_view text);

std::string EscapeField(std::string_view text);
std::string UnescapeField(std::string_view text);

}  // namespace tarvex
