#pragma once
// The changes the program makes to files and folders: delete and quarantine
// an infected file, and append to the activity log. Paths are UTF-8, of any
// depth; the log's text is written as given. Every operation reports failure
// by its result only.
#include <string>

namespace tarvex::sys {

enum class MoveResult { Moved, TargetExists, Failed };

// Clears read-only, hidden, system and archive.
bool SetNormalAttributes(const std::string& path);

bool RemoveFile(const std::string& path);

// Moves a file, also to another drive, and never over an existing target.
// A move that leaves the file where it was (a copy whose original could not
// be removed) is undone and counts as failed.
MoveResult MoveWithoutOverwrite(const std::string& from, const std::string& to);

// True when the folder exists afterwards, also when it existed before.
bool MakeFolder(const std::string& path);

// Opens the file for appending (creating it when missing), writes `text` and
// closes it again; other programs may append to the same file meanwhile.
bool AppendToFile(const std::string& path, const std::string& text);

}  // namespace tarvex::sys
