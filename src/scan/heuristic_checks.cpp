#include "scan/heuristic_checks.h"

#include <algorithm>
#include <stdexcept>

#include "scan/file_detection.h"
#include "scan/heuristics.h"

namespace tarvex {

HeuristicChecks::HeuristicChecks(DetectionSink& sink,
                                 std::function<std::string(const std::string& path, std::size_t count)> readHead)
    : sink_(sink), readHead_(std::move(readHead)) {
  if (!readHead_) throw std::invalid_argument("HeuristicChecks: readHead must be given");
}

void HeuristicChecks::StartScan(std::vector<std::string> startFolders, char separator) {
  startFolders_ = std::move(startFolders);
  separator_ = separator;
  folder_.clear();
  entries_.clear();
}

void HeuristicChecks::FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries) {
  folder_ = folder;
  entries_ = entries;
}

bool HeuristicChecks::AutorunPlace(const std::string& folder) const {
  const bool driveRoot = folder.size() == 3 && folder[1] == ':' && folder[2] == separator_;
  return driveRoot || std::find(startFolders_.begin(), startFolders_.end(), folder) != startFolders_.end();
}

bool HeuristicChecks::Check(const std::string& folder, const std::string& name,
                            const std::optional<std::int64_t>& length, std::optional<std::string_view> content) {
  // The quarantine holds what was caught already; a file with no length is gone.
  if (InQuarantine(folder) || !length) return false;
  const std::string path = folder + name;
  std::optional<std::string_view> rule;
  if (heuristics::IsAutorunName(name)) {
    // A real autorun.inf is a few lines: one too big to be read whole is no concern here.
    if (content && AutorunPlace(folder) && heuristics::AutorunStartsProgram(*content)) rule = heuristics::kAutorun;
  } else {
    static const std::vector<sys::DirEntry> kNoEntries;
    const std::vector<sys::DirEntry>& beside = folder == folder_ ? entries_ : kNoEntries;
    // Whether the name could fit a rule at all, before any byte is read for it.
    if (!heuristics::FileHeuristic(name, "MZ", beside)) return false;
    const std::string head = content ? std::string(content->substr(0, heuristics::kHeadBytes))
                                     : readHead_(path, heuristics::kHeadBytes);
    rule = heuristics::FileHeuristic(name, head, beside);
  }
  if (!rule) return false;
  sink_.Detected({path, std::string(*rule), *length, heuristics::kRemark});
  return true;
}

}  // namespace tarvex
