#include "signatures/database_check.h"

namespace tarvex {

DatabaseCheck CheckDatabase(const DatabaseReading& reading) {
  if (reading.fault.fault != DatabaseFault::AfterSentinel) return {reading.fault};
  // Never read, but binary content is no database, wherever it stands.
  for (std::size_t i = *reading.sentinel; i < reading.entries.size(); ++i) {
    const DatabaseEntry& e = reading.entries[i];
    if (e.key.find('\0') != std::string::npos || e.name.find('\0') != std::string::npos)
      return {{DatabaseFault::NulByte, e.line}};
  }
  return {};
}

DatabaseCheck CheckDatabaseText(std::string_view text) {
  if (text.size() > kMaxDatabaseBytes) return {{DatabaseFault::TooLarge, 0}};
  return CheckDatabase(ReadDatabase(text));
}

bool IsDamage(DatabaseFault fault) {
  return fault == DatabaseFault::TooLarge || fault == DatabaseFault::NulByte || fault == DatabaseFault::NoSentinel;
}

}  // namespace tarvex
