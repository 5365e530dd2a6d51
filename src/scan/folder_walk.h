#pragma once
// The recursive two-pass walk of a scan: the same walk counts the files of a
// tree ("Hitung") and then examines them ("Pindai").
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
};

DirectorySource& SystemDirectories();

// What the walk asks of the window that runs it.
class WalkHost {
 public:
  virtual ~WalkHost() = default;
  // The scan button's caption reads "Scan" again: the user asked to stop.
  virtual bool StopRequested() = 0;
  // The per-file work of the scanning pass; `folder` ends in the listing's
  // separator.
  virtual void ExamineFile(const std::string& folder, const std::string& name) = 0;
  // Hands control to the event queue, so timers tick and Stop can be clicked.
  virtual void DoEvents() = 0;
};

// Walks `path` (the listing's separator, a backslash on Windows, is appended
// to the caller's text when missing):
// all files of a folder, then each subfolder's subtree in listing order.
// Folder links are not entered, so a link loop cannot trap the walk.
void MENCARI_VIRUS(std::string& path, const std::string& SearchStr, double& FileCount, const std::string& Kerja,
                   WalkHost& host, DirectorySource& directories);

}  // namespace tarvex
