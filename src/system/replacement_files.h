#pragma once
// The file operations of a careful update: find the downloaded files, read
// them, and put a new file in place of an old one so that the old one's path
// never holds a missing or half-written file. Paths are UTF-8; the Windows
// side goes through the wide functions. Behind an interface so that a test
// can make any single step fail.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::sys {

struct FoundFile {
  std::string path;        // folder + separator + name
  std::string name;
  std::int64_t lastWrite;  // larger is newer; only compared
};

class ReplacementFiles {
 public:
  virtual ~ReplacementFiles() = default;

  // Files (no folders, nothing hidden or system) in `folder` whose name
  // matches `pattern` ("Tarvex*.db"); no entries when the folder is unreadable.
  virtual std::vector<FoundFile> Find(const std::string& folder, const std::string& pattern) = 0;
  // Length in bytes; no value when the file is missing.
  virtual std::optional<std::int64_t> Length(const std::string& path) = 0;
  // Last-write time on the scale of FoundFile::lastWrite; no value when the
  // file is missing.
  virtual std::optional<std::int64_t> LastWrite(const std::string& path) = 0;
  // The whole file; no value when it cannot be read in full.
  virtual std::optional<std::vector<unsigned char>> Read(const std::string& path) = 0;
  // Creates or overwrites `path` with `bytes` and flushes it to the disk.
  virtual bool WriteFlushed(const std::string& path, const std::vector<unsigned char>& bytes) = 0;
  // Renames `replacement` to `target` in one step, replacing the file there,
  // written through to the disk. On failure `target` is untouched.
  virtual bool MoveReplacing(const std::string& replacement, const std::string& target) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// The real file system.
ReplacementFiles& SystemReplacementFiles();

// The current user's Downloads folder, or no value when the system names none.
std::optional<std::string> DownloadsFolder();

}  // namespace tarvex::sys
