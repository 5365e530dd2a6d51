#pragma once
// Tarvex.db: one entry per line, "checksum text:virus name", ending with the
// sentinel line "Selesai:Selesai". One reader turns its bytes into entries;
// the lookup, the table, the signature list, the update's check and the
// console each apply their own rule to what it gives.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  std::size_t line = 0;  // from 1, where the entry starts
};
DatabaseEntry SplitDatabaseEntry(std::string_view entry);

enum class DatabaseFault {
  None,
  TooLarge,       // over kMaxDatabaseBytes (judged by the callers that hold the size)
  NulByte,        // binary content, not text
  BadEntry,       // a line up to the sentinel that is not "key:name" as the engine spells keys
  ZeroKey,        // key "0": the text of every empty or unreadable file, never a virus
  NoEntries,      // the sentinel is the first line: it would wipe every signature
  NoSentinel,     // no "Selesai:Selesai" line: cut short
  AfterSentinel,  // text after the sentinel, which no reader ever reads
};

struct DatabaseProblem {
  DatabaseFault fault = DatabaseFault::None;
  std::size_t line = 0;  // from 1; 0 for a fault of the whole file
};

// What the reader makes of the bytes of a database.
struct DatabaseReading {
  // Every entry in file order, the sentinel and whatever follows it included.
  std::vector<DatabaseEntry> entries;
  // The index in `entries` of the first sentinel, when there is one.
  std::optional<std::size_t> sentinel;
  // The first fault in file order; after the sentinel only AfterSentinel or
  // NulByte, the first line there that is not blank.
  DatabaseProblem fault;

  // The entries a lookup reads: up to and including the sentinel, all of them without one.
  std::size_t LookedUp() const { return sentinel ? *sentinel + 1 : entries.size(); }
};

// A UTF-8 byte-order mark at the start (Notepad writes one) is no part of
// the first entry.
DatabaseReading ReadDatabase(std::string_view bytes);

// The file read whole; no value when it cannot be read.
std::optional<DatabaseReading> ReadDatabaseFile(const std::string& dbPath);

// The mark is consulted after the database and overrides what it found; an
// empty mark marks nothing.
std::string WithUserMark(std::string found, const std::string& checksumText, const std::string& mark);

// The virus name for a checksum text: the name of the first entry up to the
// sentinel whose key equals it exactly, or "" (not infected). Entries
// without a colon are skipped.
std::string LookupCrcIn(const DatabaseReading& reading, const std::string& checksumText);
std::string LookupCrcInText(std::string_view dbText, const std::string& checksumText);

// LookupCrcInText over the file; an unreadable file lists nothing.
std::string LookupCrcInFile(const std::string& dbPath, const std::string& checksumText);

// LookupCrcInFile over Tarvex.db in the program folder.
std::string LookupCrc(const std::string& checksumText);

}  // namespace tarvex
