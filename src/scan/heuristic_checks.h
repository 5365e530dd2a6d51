#pragma once
// The heuristic rules applied during the scanning pass, after the signature
// and pattern checks of the same file found nothing: a folder's twin, a
// document's name on a program, and an autorun.inf that starts one.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/detection.h"
#include "system/files.h"

namespace tarvex {

class HeuristicChecks {
 public:
  // `readHead` gives the first bytes of a file the checks before did not read.
  HeuristicChecks(DetectionSink& sink, std::function<std::string(const std::string& path, std::size_t count)> readHead);

  // The folders the scan starts from, each ending in `separator`: an
  // autorun.inf there counts as well as at a drive's root.
  void StartScan(std::vector<std::string> startFolders, char separator);
  // The folder whose files come next, with every entry it holds.
  void FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries);
  // A file of that folder (or a single file given as a root, whose folder
  // was not listed). `length` and `content` are what the checks before found;
  // `content` only when they read the whole file. True when it reported the file.
  bool Check(const std::string& folder, const std::string& name, const std::optional<std::int64_t>& length,
             std::optional<std::string_view> content);

 private:
  bool AutorunPlace(const std::string& folder) const;

  DetectionSink& sink_;
  std::function<std::string(const std::string&, std::size_t)> readHead_;
  std::vector<std::string> startFolders_;
  char separator_ = '\\';
  std::string folder_;
  std::vector<sys::DirEntry> entries_;
};

}  // namespace tarvex
