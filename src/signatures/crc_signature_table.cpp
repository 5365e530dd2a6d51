#include "signatures/crc_signature_table.h"

namespace tarvex {

namespace {
// Enough of a damaged line to recognise it in a warning.
constexpr std::size_t kShownEntryBytes = 60;
}  // namespace

CrcSignatureTable CrcSignatureTable::FromText(std::string_view dbText) {
  CrcSignatureTable table;
  DatabaseHealth& health = table.health_;
  DatabaseReading reading = ReadDatabase(dbText);
  health.bytes = dbText.size();
  health.sentinelFound = reading.sentinel.has_value();
  health.fault = reading.fault;
  const std::size_t end = reading.LookedUp();
  for (std::size_t i = 0; i < end; ++i) {
    DatabaseEntry& e = reading.entries[i];
    if (!e.hasColon) {
      if (health.entriesWithoutColon++ == 0) {
        health.firstEntryWithoutColon = e.key.substr(0, kShownEntryBytes);
        if (e.key.size() > kShownEntryBytes) health.firstEntryWithoutColon += "...";
      }
      continue;
    }
    // The sentinel's own key goes in too: a sequential reader compares the
    // key before it recognises the sentinel.
    const bool added = table.names_.try_emplace(std::move(e.key), std::move(e.name)).second;
    if (added && i != reading.sentinel) ++health.signatures;
  }
  return table;
}

std::string CrcSignatureTable::Lookup(const std::string& checksumText) const {
  auto it = names_.find(checksumText);
  return it == names_.end() ? std::string() : it->second;
}

}  // namespace tarvex
