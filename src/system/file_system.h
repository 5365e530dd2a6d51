#pragma once
// The changes the program makes to files and folders: delete, quarantine and
// restore a file, the quarantine's manifest and the activity log, behind one interface so
// that tests can hand in a file system of their own. Paths are UTF-8, of any
// depth; the log's text is written as given. Every operation reports failure
// by its result only.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::sys {

// What tells one file from another, taken when a scan finds it: a file put in
// its place (a new one, or the same name reached through a folder swapped for
// a link) differs in its index (and natively its device; Windows leaves the
// volume 0, see FactsOf), a file changed in place in its
// size or last-write time.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  std::int64_t size = 0;
  std::int64_t lastWrite = 0;  // in the platform's own units
  bool operator==(const FileIdentity&) const = default;
};

// What a checked change did. Changed: the name no longer leads to the
// identified file (or leads to a link), and nothing was touched.
enum class ChangeResult { Done, TargetExists, Gone, Changed, Failed };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The ordinary file a path leads to now; no value for anything else.
  virtual std::optional<FileIdentity> Identify(const std::string& path) = 0;
  // Both look at the path's last name literally and without following a link
  // there, and act only when it is the identified file: they clear its
  // read-only, hidden, system and archive bits, then delete it, or move it
  // (also to another drive, never over an existing target; a copy whose
  // original could not be removed is removed again).
  virtual ChangeResult RemoveChecked(const std::string& path, const FileIdentity& identity) = 0;
  virtual ChangeResult MoveChecked(const std::string& from, const FileIdentity& identity, const std::string& to) = 0;
  // Attribute bits of files.h; no value when nothing is there.
  virtual std::optional<std::uint32_t> Attributes(const std::string& path) = 0;
  virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
  // True when the folder exists afterwards, also when it existed before.
  virtual bool MakeFolder(const std::string& path) = 0;
  // Opens the file for appending (creating it when missing), writes `text`,
  // flushes it to the disk and closes it again; other programs may append to
  // the same file meanwhile.
  virtual bool AppendText(const std::string& path, const std::string& text) = 0;
  // The whole content of a file; no value when it cannot be read in full.
  virtual std::optional<std::string> Read(const std::string& path) = 0;
  // The last `count` bytes of a file, all of a shorter one; no value when it
  // cannot be read. The real file systems read only those, so that what a
  // growing file ends in costs the same at any length.
  virtual std::optional<std::string> ReadTail(const std::string& path, std::size_t count) {
    std::optional<std::string> whole = Read(path);
    if (whole) whole->erase(0, whole->size() - std::min(count, whole->size()));
    return whole;
  }
  // The names of the ordinary files in a folder, hidden ones included, links not.
  virtual std::vector<std::string> FileNames(const std::string& folder) = 0;
  // True only when the system answers that nothing of that name is there (the
  // name or a folder on its way is missing). A file it may not look at, or
  // cannot be asked about, counts as there.
  virtual bool Gone(const std::string& path) = 0;
};

// The real files and folders.
FileSystem& SystemFileSystem();

}  // namespace tarvex::sys
