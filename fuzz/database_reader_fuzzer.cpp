// Any bytes as Tarvex.db: the reader must end, never read out of bounds, and
// give the same answer from the file as from memory and from the table.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scratch_file.h"
#include "signatures/crc_signature_table.h"
#include "signatures/sequential_input.h"
#include "signatures/signature_database.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvex;
  std::string_view text(reinterpret_cast<const char*>(data), size);

  std::size_t fields = 0;
  std::string firstKey, firstName;
  bool firstHasColon = false;
  SequentialInput input(text);
  while (auto field = input.Next()) {
    if (field->size() > size) std::abort();
    if (fields == 0) {
      DatabaseEntry e = SplitDatabaseEntry(*field);
      firstKey = e.key;
      firstName = e.name;
      firstHasColon = e.hasColon;
    }
    // Every field but a final one consumes at least one delimiter byte.
    if (++fields > size + 1) std::abort();
  }

  // The first entry always wins for its own key.
  if (firstHasColon && LookupCrcInText(text, firstKey) != firstName) std::abort();

  // The table parsed once answers as the reader that starts afresh each time.
  CrcSignatureTable table = CrcSignatureTable::FromText(text);
  for (const std::string& key : {firstKey, std::string("6851CF3C"), std::string("0"), std::string("Selesai")}) {
    if (table.Lookup(key) != LookupCrcInText(text, key)) std::abort();
  }

  fuzz::ScratchFile file(data, size);
  if (file.ok()) {
    for (const std::string& key : {firstKey, std::string("6851CF3C"), std::string("0")}) {
      if (LookupCrcInFile(file.path(), key) != LookupCrcInText(text, key)) std::abort();
    }
  }
  return 0;
}
