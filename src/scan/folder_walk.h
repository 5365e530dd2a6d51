#pragma once
// The walk of a scan's passes, and the listing it reads.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "system/files.h"

namespace tarvex {

constexpr std::uint32_t kFolderListingMask = 55;  // read-only, hidden, system, directory, archive
constexpr std::uint32_t kFileListingMask = 39;    // read-only, hidden, system, archive

// The listing the walk reads; the system's by default, a test's own otherwise.
class DirectorySource {
 public:
  virtual ~DirectorySource() = default;
  virtual std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) = 0;
  // The character between a folder and its names: the platform's own for the
  // system's listing ("\\" on Windows, "/" on the native build).
  virtual char Separator() const { return sys::kPathSeparator; }
  // What tells a folder from every other however it is reached (by a link,
  // a second name, a path the system cuts short); no value when it cannot be
  // told, and the walk then goes by the path alone.
  virtual std::optional<std::string> FolderIdentity(const std::string& /*folder*/) { return std::nullopt; }
};

DirectorySource& SystemDirectories();

// The walk of a tree: it hands out, one step at a time, each folder it has
// listed, each file of it, and the end of each folder's subtree: all files
// of a folder, then each subfolder's subtree in listing order. Folder links
// are not entered, nor is a folder the walk is already inside, so no loop
// can trap it; the depth costs memory, not stack. It lists a folder only
// when a step needs it, and never keeps one listing open while it starts
// another.
class FolderWalk {
 public:
  enum class Step {
    Listed,  // a folder was listed: Folder() and its Entries(), before any of its files
    File,    // a file of Folder(): Name()
    Left,    // Folder()'s subtree is done
  };

  // Walks `path`, to which the listing's separator (a backslash on Windows)
  // is appended when missing; `SearchStr` is the pattern of the files.
  FolderWalk(DirectorySource& directories, std::string path, std::string SearchStr = "*.*");
  FolderWalk(const FolderWalk&) = delete;
  FolderWalk& operator=(const FolderWalk&) = delete;

  // The next step; none when the walk is over. `stop`: the user asked to
  // stop; no folder is listed and no file handed out any more, only the
  // ends of the folders whose files were all handed out.
  std::optional<Step> Next(bool stop);

  // The folder of the last step, ending in the separator.
  const std::string& Folder() const { return folder_; }
  // Listed: every entry of the folder's listing.
  const std::vector<sys::DirEntry>& Entries() const { return entries_; }
  // File: the file's name.
  const std::string& Name() const { return name_; }

 private:
  // A folder the walk is inside: where its path ends in `path_`, and the
  // subfolders still to enter.
  struct Level {
    std::size_t pathLength = 0;
    std::optional<std::string> identity;
    std::vector<std::string> subfolders;
    std::size_t next = 0;
  };
  enum class Phase { Enter, ListFiles, Files, Climb, Done };

  // Lists the folder `path_`; false when it is one the walk is inside.
  bool Enter();

  DirectorySource& directories_;
  const std::string searchStr_;
  std::string path_;  // the folder entered last, or to enter next
  Phase phase_ = Phase::Enter;
  std::vector<Level> levels_;  // outermost first
  Level entered_;              // the folder whose files are handed out, until they all are
  std::vector<sys::DirEntry> files_;
  std::size_t nextFile_ = 0;
  std::string folder_;
  std::vector<sys::DirEntry> entries_;
  std::string name_;
};

}  // namespace tarvex
