#pragma once
// Whether a text is a complete Tarvex.db that the lookup reads the way its
// publisher meant: checked in full before a downloaded database may take the
// place of the installed one.
#include <cstddef>
#include <string_view>

namespace tarvex {

// A published database is a few megabytes at most; every lookup reads the
// whole file, so anything far larger is no database of ours.
inline constexpr std::size_t kMaxDatabaseBytes = 16u * 1024u * 1024u;

enum class DatabaseFault {
  None,
  TooLarge,    // over kMaxDatabaseBytes
  NulByte,     // binary content, not text
  BadEntry,    // a line before the sentinel that is not "key:name"
  NoEntries,   // the sentinel is the first line: it would wipe every signature
  NoSentinel,  // no "Selesai:Selesai" line: cut short
};

struct DatabaseCheck {
  DatabaseFault fault = DatabaseFault::None;
  std::size_t line = 0;  // from 1: the offending line, for BadEntry
  bool ok() const { return fault == DatabaseFault::None; }
};

// Every line up to the sentinel must be a key in checksum-text form, a colon
// and a name that is neither blank nor split by a comma (the reader ends an
// entry at a comma). Lines end in CR LF, LF or CR, as the reader takes them;
// whatever follows the sentinel is never read and is not judged.
DatabaseCheck CheckDatabaseText(std::string_view text);

}  // namespace tarvex
