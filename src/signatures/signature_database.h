#pragma once
// Tarvex.db: one entry per line, "checksum text:virus name", ending with the
// sentinel line "Selesai:Selesai". Read only; every lookup reads it afresh.
#include <functional>
#include <string>
#include <string_view>

namespace tarvex {

// The name that marks a checksum text equal to the user's mark: the checksum
// text the user marked as a virus in the file analysis window, for the run.
inline constexpr const char* kUserRequestName = "Permintaan User";
inline constexpr const char* kDatabaseSentinel = "Selesai:Selesai";

// An entry split at its first colon. Without a colon the whole entry is the
// key, the name is empty and hasColon is false.
struct DatabaseEntry {
  std::string key;
  std::string name;
  bool hasColon = false;
};
DatabaseEntry SplitDatabaseEntry(std::string_view entry);

// Hands every entry of the file at dbPath, in file order, to `visit` until it
// returns false or the file ends. Nothing is interpreted: the sentinel and
// damaged entries are handed over like the others. The file is read whole and
// closed before the first entry is handed over. False when it cannot be read.
bool ForEachDatabaseEntry(const std::string& dbPath,
                          const std::function<bool(const std::string& entry)>& visit);

// The mark is consulted after the database and overrides what it found; an
// empty mark marks nothing.
std::string WithUserMark(std::string found, const std::string& checksumText, const std::string& mark);

// The virus name for a checksum text: the name of the first entry whose key
// equals it exactly, or "" (not infected). Entries without a colon are skipped; the sentinel or the
// end of the text ends the search.
std::string LookupCrcInText(std::string_view dbText, const std::string& checksumText);

// LookupCrcInText over the file; an unreadable file lists nothing.
std::string LookupCrcInFile(const std::string& dbPath, const std::string& checksumText);

// LookupCrcInFile over Tarvex.db in the program folder.
std::string LookupCrc(const std::string& checksumText);

}  // namespace tarvex
