#include "signatures/signature_database.h"

#include <optional>
#include <vector>

#include "base/program_files.h"
#include "signatures/sequential_input.h"
#include "system/files.h"
#include "system/program_folder.h"

namespace tarvex {

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

void ForEachDatabaseEntryInText(std::string_view text,
                                const std::function<bool(const std::string& entry)>& visit) {
  SequentialInput input(text);
  while (std::optional<std::string> entry = input.Next()) {
    if (!visit(*entry)) return;
  }
}

bool ForEachDatabaseEntry(const std::string& dbPath,
                          const std::function<bool(const std::string& entry)>& visit) {
  std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(dbPath);
  if (!bytes) return false;
  std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  ForEachDatabaseEntryInText(text, visit);
  return true;
}

std::string WithUserMark(std::string found, const std::string& checksumText, const std::string& mark) {
  // An empty mark means "nothing marked", never a match for an empty text.
  if (!mark.empty() && checksumText == mark) return kUserRequestName;
  return found;
}

std::string LookupCrcInText(std::string_view dbText, const std::string& checksumText) {
  std::string found;
  ForEachDatabaseEntryInText(dbText, [&](const std::string& entry) {
    DatabaseEntry e = SplitDatabaseEntry(entry);
    // A damaged line must not hide the signatures after it.
    if (!e.hasColon) return true;
    if (e.key == checksumText) {
      found = std::move(e.name);
      return false;
    }
    return entry != kDatabaseSentinel;
  });
  return found;
}

std::string LookupCrcInFile(const std::string& dbPath, const std::string& checksumText) {
  std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(dbPath);
  if (!bytes) return std::string();
  std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return LookupCrcInText(text, checksumText);
}

std::string LookupCrc(const std::string& checksumText) {
  return LookupCrcInFile(DatabasePath(sys::ProgramFolder(), sys::kPathSeparator), checksumText);
}

}  // namespace tarvex
