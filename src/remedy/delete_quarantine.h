#pragma once
// Delete and quarantine: an infected file is deleted, or moved into a folder
// under a name that overwrites nothing. Running processes are the caller's.
#include <optional>
#include <string>

#include "base/program_files.h"
#include "system/file_system.h"

namespace tarvex {

// Moves the file into `folder` (ending in its separator) as its own name +
// "_vir", and when that is taken + "_vir2", "_vir3", ...; gives the new path,
// or no value when the file stays where it was. Attributes are the caller's.
std::optional<std::string> MoveIntoFolder(const std::string& path, const std::string& folder, sys::FileSystem& files);

// Clears the file's attributes, then deletes it (`hapus`) or moves it into
// C:\Karantina\; false when the file stays where it was.
bool DeleteOrQuarantine(bool hapus, const std::string& path, sys::FileSystem& files);

}  // namespace tarvex
