#include "signatures/crc_signature_table.h"

#include "signatures/sequential_input.h"
#include "signatures/signature_database.h"

namespace tarvex {

CrcSignatureTable CrcSignatureTable::FromText(std::string_view dbText) {
  CrcSignatureTable table;
  DatabaseHealth& health = table.health_;
  SequentialInput input(dbText);
  while (std::optional<std::string> entry = input.Next()) {
    DatabaseEntry e = SplitDatabaseEntry(*entry);
    if (!e.hasColon) {
      if (health.entriesWithoutColon++ == 0) health.firstEntryWithoutColon = *entry;
      continue;
    }
    // The sentinel's own key goes in too: a sequential reader compares the
    // key before it recognises the sentinel.
    const bool added = table.names_.try_emplace(std::move(e.key), std::move(e.name)).second;
    if (*entry == kDatabaseSentinel) {
      health.sentinelFound = true;
      break;
    }
    if (added) ++health.signatures;
  }
  return table;
}

std::string CrcSignatureTable::Lookup(const std::string& checksumText) const {
  auto it = names_.find(checksumText);
  return it == names_.end() ? std::string() : it->second;
}

}  // namespace tarvex
