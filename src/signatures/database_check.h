#pragma once
// Whether a text is a complete Tarvex.db that the lookup reads the way its
// publisher meant: checked in full before a downloaded database may take the
// place of the installed one, and by the console before it scans.
#include <cstddef>
#include <string_view>

#include "signatures/signature_database.h"

namespace tarvex {

// A published database is a few megabytes at most; every lookup reads the
// whole file, so anything far larger is no database of ours.
inline constexpr std::size_t kMaxDatabaseBytes = 16u * 1024u * 1024u;

struct DatabaseCheck : DatabaseProblem {
  bool ok() const { return fault == DatabaseFault::None; }
};

// The update's rule over what the reader found: every line up to the
// sentinel a key in checksum-text form other than "0", a colon and a name
// that is neither blank nor split by a comma (the reader ends an entry at a
// comma); the sentinel present and not first. Whatever follows the sentinel
// is never read and is not held against the file.
DatabaseCheck CheckDatabase(const DatabaseReading& reading);

// The same over a file's whole text, which must not be larger than kMaxDatabaseBytes.
DatabaseCheck CheckDatabaseText(std::string_view text);

// A fault that leaves the lookup reading something else than the publisher
// wrote (cut short, binary, oversized): the console refuses such a database
// as the update does, and only warns of the others.
bool IsDamage(DatabaseFault fault);

}  // namespace tarvex
