#include "signatures/signature_database.h"

#include "base/program_files.h"
#include "signatures/checksum_text.h"
#include "signatures/sequential_input.h"
#include "system/files.h"
#include "system/program_folder.h"

namespace tarvex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A line the update may install: the whole line is key, colon and a name
// that is not blank, with the key spelled as the engine spells checksums.
DatabaseFault EntryFault(const DatabaseEntry& e, bool plain) {
  if (!plain || !e.hasColon || !IsChecksumText(e.key)) return DatabaseFault::BadEntry;
  if (e.name.find_first_not_of(" \t") == std::string::npos) return DatabaseFault::BadEntry;
  if (e.key == "0") return DatabaseFault::ZeroKey;
  return DatabaseFault::None;
}

}  // namespace

DatabaseEntry SplitDatabaseEntry(std::string_view entry) {
  DatabaseEntry out;
  std::size_t colon = entry.find(':');
  if (colon == std::string_view::npos) {
    out.key.assign(entry);
    return out;
  }
  out.key.assign(entry.substr(0, colon));
  out.name.assign(entry.substr(colon + 1));
  out.hasColon = true;
  return out;
}

DatabaseReading ReadDatabase(std::string_view bytes) {
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  DatabaseReading reading;
  DatabaseProblem& first = reading.fault;
  SequentialInput input(bytes);
  while (std::optional<std::string> text = input.Next()) {
    DatabaseEntry e = SplitDatabaseEntry(*text);
    e.line = input.Line();
    const bool isSentinel = *text == kDatabaseSentinel;
    if (first.fault == DatabaseFault::None) {
      DatabaseFault fault = DatabaseFault::None;
      if (text->find('\0') != std::string::npos) {
        fault = DatabaseFault::NulByte;
      } else if (reading.sentinel) {
        if (!text->empty()) fault = DatabaseFault::AfterSentinel;
      } else if (isSentinel) {
        if (!input.Plain()) fault = DatabaseFault::BadEntry;
        else if (reading.entries.empty()) fault = DatabaseFault::NoEntries;
      } else {
        fault = EntryFault(e, input.Plain());
      }
      if (fault != DatabaseFault::None) first = {fault, e.line};
    }
    if (isSentinel && !reading.sentinel) reading.sentinel = reading.entries.size();
    reading.entries.push_back(std::move(e));
  }
  if (!reading.sentinel && first.fault == DatabaseFault::None) first = {DatabaseFault::NoSentinel, 0};
  return reading;
}

std::optional<DatabaseReading> ReadDatabaseFile(const std::string& dbPath) {
  std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(dbPath);
  if (!bytes) return std::nullopt;
  return ReadDatabase(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

std::string WithUserMark(std::string found, const std::string& checksumText, const std::string& mark) {
  // An empty mark means "nothing marked", never a match for an empty text.
  if (!mark.empty() && checksumText == mark) return kUserRequestName;
  return found;
}

std::string LookupCrcIn(const DatabaseReading& reading, const std::string& checksumText) {
  for (std::size_t i = 0; i < reading.LookedUp(); ++i) {
    // A damaged line must not hide the signatures after it.
    const DatabaseEntry& e = reading.entries[i];
    if (e.hasColon && e.key == checksumText) return e.name;
  }
  return std::string();
}

std::string LookupCrcInText(std::string_view dbText, const std::string& checksumText) {
  return LookupCrcIn(ReadDatabase(dbText), checksumText);
}

std::string LookupCrcInFile(const std::string& dbPath, const std::string& checksumText) {
  std::optional<DatabaseReading> reading = ReadDatabaseFile(dbPath);
  return reading ? LookupCrcIn(*reading, checksumText) : std::string();
}

std::string LookupCrc(const std::string& checksumText) {
  return LookupCrcInFile(DatabasePath(sys::ProgramFolder(), sys::kPathSeparator), checksumText);
}

}  // namespace tarvex
