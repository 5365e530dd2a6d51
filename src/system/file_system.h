#pragma once
// The changes the program makes to files and folders: delete and quarantine
// an infected file, and append to the activity log, behind one interface so
// that tests can hand in a file system of their own. Paths are UTF-8, of any
// depth; the log's text is written as given. Every operation reports failure
// by its result only.
#include <optional>
#include <string>

namespace tarvex::sys {

enum class MoveResult { Moved, TargetExists, Failed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Clears read-only, hidden, system and archive.
  virtual bool SetNormalAttributes(const std::string& path) = 0;
  virtual bool Remove(const std::string& path) = 0;
  // Moves a file, also to another drive, and never over an existing target.
  // A move that leaves the file where it was (a copy whose original could not
  // be removed) is undone and counts as failed.
  virtual MoveResult Move(const std::string& from, const std::string& to) = 0;
  // True when the folder exists afterwards, also when it existed before.
  virtual bool MakeFolder(const std::string& path) = 0;
  // Opens the file for appending (creating it when missing), writes `text` and
  // closes it again; other programs may append to the same file meanwhile.
  virtual bool AppendText(const std::string& path, const std::string& text) = 0;
  // The file's own name as the directory lookup that treats hidden and
  // system files as missing finds it.
  virtual std::optional<std::string> VisibleFileName(const std::string& path) = 0;
  // True only when the system answers that nothing of that name is there (the
  // name or a folder on its way is missing). A file it may not look at, or
  // cannot be asked about, counts as there.
  virtual bool Gone(const std::string& path) = 0;
};

// The real files and folders.
FileSystem& SystemFileSystem();

}  // namespace tarvex::sys
