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

bool ForEachDatabaseEntry(const std::string& dbPath,
                          const std::function<bool(const std::string& entry)>& visit) {
  std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(dbPath);
  if (!bytes) return false;
  SequentialInput input(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  while (std::optional<std::string> entry = input.Next()) {
    if (!visit(*entry)) break;
  }
  return true;
}

std::string WithUserMark(std::string found, const std::string& checksumText, const std::string& mark) {
  // An empty mark means "nothing marked", never a match for an empty text.
  if (!mark.empty() && checksumText == mark) return kUserRequestName;
  return found;
}

std::string LookupCrcInText(std::string_view dbText, const std::string& checksumText) {
  SequentialInput input(dbText);
  while (std::optional<std::string> entry = input.Next()) {
    DatabaseEntry e = SplitDatabaseEntry(*entry);
    // A damaged line must not hide the signatures after it.
    if (!e.hasColon) continue;
    if (e.key == checksumText) return std::move(e.name);
    if (*entry == kDatabaseSentinel) break;
  }
  return std::string();
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
