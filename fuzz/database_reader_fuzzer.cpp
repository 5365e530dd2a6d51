// Any bytes as Tarvex.db: the one reader must end, never read out of bounds,
// and every rule built on it must agree with what it gives.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scratch_file.h"
#include "signatures/crc_signature_table.h"
#include "signatures/database_check.h"
#include "signatures/signature_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvex;
  std::string_view text(reinterpret_cast<const char*>(data), size);

  const DatabaseReading reading = ReadDatabase(text);
  // Every entry but a final one consumes at least one delimiter byte.
  if (reading.entries.size() > size + 1) std::abort();
  std::size_t line = 0;
  for (const DatabaseEntry& e : reading.entries) {
    if (e.key.size() + e.name.size() > size || e.line < line || e.line > size + 1) std::abort();
    line = e.line;
  }
  if (reading.sentinel) {
    const DatabaseEntry& s = reading.entries.at(*reading.sentinel);
    if (s.key + ":" + s.name != kDatabaseSentinel) std::abort();
  } else if (reading.fault.fault == DatabaseFault::None) {
    std::abort();  // no sentinel is always a fault
  }
  if (CheckDatabase(reading).ok() && (!reading.sentinel || *reading.sentinel == 0)) std::abort();

  // The table parsed once answers as the lookup over the reader.
  std::string firstKey = reading.entries.empty() ? std::string() : reading.entries.front().key;
  CrcSignatureTable table = CrcSignatureTable::FromText(text);
  for (const std::string& key : {firstKey, std::string("6851CF3C"), std::string("0"), std::string("Selesai")}) {
    if (table.Lookup(key) != LookupCrcIn(reading, key)) std::abort();
  }
  // The first entry always wins for its own key.
  if (!reading.entries.empty() && reading.entries.front().hasColon &&
      LookupCrcIn(reading, firstKey) != reading.entries.front().name)
    std::abort();

  fuzz::ScratchFile file(data, size);
  if (file.ok()) {
    for (const std::string& key : {firstKey, std::string("6851CF3C"), std::string("0")}) {
      if (LookupCrcInFile(file.path(), key) != LookupCrcIn(reading, key)) std::abort();
    }
  }
  return 0;
}
