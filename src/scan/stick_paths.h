#pragma once
// Where a path written in a shortcut leads on the scanned stick: looked up
// name by name in the folders' listings, in any letter case, as the system
// would find it there.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "scan/folder_walk.h"
#include "scan/shortcut_heuristics.h"

namespace tarvex {

class StickPaths {
 public:
  explicit StickPaths(DirectorySource& directories) : directories_(directories) {}

  // Before a scan: the folders it starts from, each ending in the separator.
  void StartScan(std::vector<std::string> startFolders);
  // The listings looked at so far may have changed since (a new folder of the walk).
  void Forget() { listings_.clear(); }

  // What `written` names on the stick of the file in `folder`: from `base`
  // when relative, from the stick's root when it begins there or with the
  // stick's drive. Only through folders, never through a link, nor above the
  // root; no value when nothing there has that name.
  std::optional<heuristics::StickEntry> Find(std::string written, const std::string& folder, const std::string& base);
  // The stick's root: a drive's on Windows; elsewhere the stick is mounted
  // as a folder, the folder the scan starts from. Empty when there is none.
  std::string Root(const std::string& folder) const;
  // The path of a file below a folder the scan starts from, written as the
  // walk writes it; no value for a file off the scanned tree.
  std::optional<std::string> InScannedTree(const std::string& path) const;

 private:
  // A folder's entries by folded name, listed once until forgotten; `folder`
  // ends in the separator.
  const std::map<std::string, sys::DirEntry>& Listing(const std::string& folder);

  DirectorySource& directories_;
  std::vector<std::string> startFolders_;
  std::map<std::string, std::map<std::string, sys::DirEntry>> listings_;
};

}  // namespace tarvex
