#pragma once
// The file operations of delete, quarantine and the activity log, behind one
// interface so that tests can hand in a file system of their own.
#include <optional>
#include <string>

#include "system/file_changes.h"

namespace tarvex::sys {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool SetNormalAttributes(const std::string& path) = 0;
  virtual bool Remove(const std::string& path) = 0;
  virtual MoveResult Move(const std::string& from, const std::string& to) = 0;
  virtual bool MakeFolder(const std::string& path) = 0;
  virtual bool AppendText(const std::string& path, const std::string& text) = 0;
  // The file's own name as the directory lookup that treats hidden and
  // system files as missing finds it.
  virtual std::optional<std::string> VisibleFileName(const std::string& path) = 0;
  // Whether the system says that the file is no longer there at all.
  virtual bool Gone(const std::string& path) = 0;
};

// The real files and folders (system/file_changes.h, system/files.h).
FileSystem& SystemFileSystem();

}  // namespace tarvex::sys
