#pragma once
// The program's own files and folders: where the database lies and where
// quarantined files go. Every path to them is built from these.
#include <string>
#include <string_view>

namespace tarvex {

inline constexpr const char* kDatabaseName = "Tarvex.db";

// The database beside the program. The window and its services always speak
// Windows paths; the console joins with its platform's separator.
inline std::string DatabasePath(std::string_view programFolder, char separator = '\\') {
  return std::string(programFolder) + separator + kDatabaseName;
}

// Quarantined files are moved into this folder, with its closing separator.
inline constexpr const char* kQuarantineFolder = "C:\\Karantina\\";

}  // namespace tarvex
