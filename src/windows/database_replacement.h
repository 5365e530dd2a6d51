#pragma once
// Puts a database that the browser downloaded in place of Tarvex.db, the way
// a careful updater does: only a complete, valid database, never leaving the
// installed one missing or half-written, and keeping the old one beside it.
#include <optional>
#include <string>

#include "system/replacement_files.h"

namespace tarvex {

enum class Replacement {
  NothingNew,  // no downloaded database, none written after the installed one, or the same content
  Replaced,    // the new database is in place, the old one is Tarvex.db.bak
  Failed,      // nothing changed: invalid download or a file error
};

// The downloaded database: the newest file named Tarvex*.db in `downloads`
// (a browser names a second download "Tarvex (1).db"); no value when there
// is none.
std::optional<sys::FoundFile> DownloadedDatabase(sys::ReplacementFiles& files, const std::string& downloads);

// Replaces `databasePath` (the installed Tarvex.db, which exists) with the
// downloaded database when that was last written after the installed one and
// its content differs. A temporary file and the
// backup lie beside the database: databasePath + ".new" and + ".bak".
Replacement ReplaceDatabase(sys::ReplacementFiles& files, const std::string& databasePath,
                            const std::optional<std::string>& downloads);

}  // namespace tarvex
