#pragma once
// The walk of a scan: the same walk counts the files of a tree
// (Kerja::Hitung) and then examines them (Kerja::Pindai).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "scan/scan_sink.h"
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

// What the walk asks of the scan that runs it.
class WalkHost {
 public:
  virtual ~WalkHost() = default;
  // The user asked to stop.
  virtual bool StopRequested() = 0;
  // Every entry of a folder the walk has just listed (`folder` ends in the
  // separator), before any of its files is looked at.
  virtual void FolderListed(const std::string& /*folder*/, const std::vector<sys::DirEntry>& /*entries*/) {}
  // The per-file work of the scanning pass; `folder` ends in the listing's
  // separator.
  virtual void ExamineFile(const std::string& folder, const std::string& name) = 0;
  // Hands control to the event queue, so timers tick and Stop can be clicked.
  virtual void DoEvents() = 0;
};

// Walks `path` (the listing's separator, a backslash on Windows, is appended
// to the caller's text when missing):
// all files of a folder, then each subfolder's subtree in listing order.
// Folder links are not entered, nor is a folder the walk is already inside,
// so no loop can trap the walk; the depth costs memory, not stack.
void MENCARI_VIRUS(std::string& path, const std::string& SearchStr, std::uint64_t& FileCount, Kerja kerja,
                   WalkHost& host, DirectorySource& directories);

}  // namespace tarvex
