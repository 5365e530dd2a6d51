#pragma once
// The changes the program makes to files and folders: delete, quarantine and
// restore a file, the quarantine's manifest and the activity log, behind one
// interface so that tests can hand in a file system of their own. Paths are
// UTF-8, of any depth; the log's text is written as given. Every operation
// reports failure by its result only.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/file_identity.h"

namespace tarvex::sys {

// What a checked change did. Changed: the name no longer leads to the
// identified file (or leads to a link, a pipe, a device), and nothing was
// touched.
enum class ChangeResult { Done, TargetExists, Gone, Changed, Failed };

// A folder held open for a file to be moved into (the platforms keep its
// handle): while it is open, the file goes where it was reached, whatever is
// renamed meanwhile.
class OpenFolder {
 public:
  explicit OpenFolder(std::string path) : path_(std::move(path)) {}
  virtual ~OpenFolder() = default;
  // Its path, ending in its separator.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

struct ReachedFolder {
  enum class Kind { Ready, Link, Failed } kind = Kind::Failed;
  std::unique_ptr<OpenFolder> folder;  // Ready
  std::string reason;                  // Link and Failed: which folder, and why
};

// A file opened to be changed: the name was opened without following a link
// at its end and without waiting, and what it leads to is an ordinary file
// with the identity asked for. Every step goes through this handle.
class CheckedFile {
 public:
  virtual ~CheckedFile() = default;
  // The attribute bits of files.h as found, before anything clears them.
  virtual std::uint32_t Attributes() const = 0;
  // The content, read through the handle and handed to `take` piece by
  // piece: the identified size at most, so that no file grown since its check
  // fills the memory. False when it could not be read in full.
  virtual bool ReadAll(const std::function<void(std::string_view)>& take) = 0;
  // Clears the read-only, hidden and system bits and deletes the file.
  virtual ChangeResult Remove() = 0;
  // Moves the file into `folder` as `name`, never over an existing name, and
  // gives it `attributes` there (0: none). Across disks it is a copy of what
  // this handle reads, with the file's mode and times, flushed to the disk,
  // and then the original removed as Remove does; when that fails the copy
  // goes again.
  virtual ChangeResult MoveInto(OpenFolder& folder, const std::string& name, std::uint32_t attributes) = 0;
  // The system's words for the last step that failed.
  virtual const std::string& Reason() const = 0;
};

struct CheckedOpen {
  ChangeResult result = ChangeResult::Failed;  // Done: `file` is open
  std::unique_ptr<CheckedFile> file;
  std::string reason;  // Failed: the system's words
};

// A regular file's text, read with a bound.
struct TextRead {
  enum class Kind { Read, Missing, NotRegular, TooLarge, Failed } kind = Kind::Failed;
  std::string text;
};

// How a folder on the way is reached.
enum class FolderWay {
  AsNamed,  // as the user named it, links on the way followed (the quarantine folder)
  NoLinks,  // no link on the way followed, missing folders made (where a restore goes)
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The ordinary file a path leads to now, its last name not followed when
  // it is a link; no value for anything else.
  virtual std::optional<FileIdentity> Identify(const std::string& path) = 0;
  // The file at `path` opened to be changed, when it is still the identified
  // one. Natively it is reached through the identity's final path (when
  // known), no link followed on the way; on Windows its handle must resolve
  // to that final path again.
  virtual CheckedOpen OpenChecked(const std::string& path, const FileIdentity& identity) = 0;
  virtual ReachedFolder ReachFolder(const std::string& path, FolderWay way) = 0;
  // True when the folder exists afterwards, also when it existed before.
  virtual bool MakeFolder(const std::string& path) = 0;
  // Appends `text` to the ordinary file at `path` (made when missing),
  // flushed to the disk; its name is not followed when it is a link, and
  // anything but an ordinary file is refused. With `ownLine`, a last line cut
  // short is ended first, so that the text starts a line of its own. Other
  // programs may append to the same file meanwhile.
  virtual bool AppendText(const std::string& path, const std::string& text, bool ownLine) = 0;
  // The text of the ordinary file at `path`, its name not followed when it
  // is a link, without waiting for a pipe, and only when it holds at most
  // `limit` bytes.
  virtual TextRead ReadText(const std::string& path, std::size_t limit) = 0;
  // The names of the ordinary files in a folder, hidden ones included, links not.
  virtual std::vector<std::string> FileNames(const std::string& folder) = 0;
  // True only when the system answers that nothing of that name is there (the
  // name or a folder on its way is missing). A file it may not look at, or
  // cannot be asked about, counts as there.
  virtual bool Gone(const std::string& path) = 0;
};

// The real files and folders.
FileSystem& SystemFileSystem();

// The points between the steps of a change, where a test may swap what lies
// at a name: the race a change must survive.
enum class ChangeStep {
  Opened,   // the file is open and checked
  Renamed,  // it went to its private name, or to its new place, before that is checked
  Copied,   // across disks: the copy is made, the original not yet removed
};
// The real files and folders, calling `between` at each of those points.
std::unique_ptr<FileSystem> SystemFileSystemWithSeam(std::function<void(ChangeStep)> between);

}  // namespace tarvex::sys
