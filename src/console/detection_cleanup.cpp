#include "console/detection_cleanup.h"

#include "remedy/process_guard.h"
#include "system/files.h"
#include "system/final_path.h"

namespace tarvex::console {

namespace {

bool Within(const std::string& folder, const std::string& outer) { return folder.compare(0, outer.size(), outer) == 0; }

CleanupOutcome Told(const RemedyOutcome& outcome, bool move) {
  using Kind = RemedyOutcome::Kind;
  switch (outcome.kind) {
    case Kind::Deleted: return {true, "removed", "removed", "", ""};
    case Kind::Quarantined: return {true, "moved to " + outcome.newPath, "moved", outcome.newPath, ""};
    case Kind::AlreadyGone: return {true, "already gone", "already gone", "", ""};
    case Kind::Changed: return {false, "changed since the scan", "changed since the scan", "", "changed since the scan"};
    case Kind::Failed: break;
  }
  const char* word = move ? "not moved" : "not removed";
  return {false, word, word, "", outcome.reason};
}

}  // namespace

CleanupServices SystemCleanupServices() {
  static ProcessGuard guard(sys::SystemProcesses());
  return {.files = sys::SystemFileSystem(),
          .clock = sys::SystemClock(),
          // Afresh for every file, as the window does: ending one process may end others.
          .stopProcessOf = [](const std::string& path) { guard.StopProcessOf(path); },
          .finalPath = [](const std::string& path) {
            sys::FinalPath final = sys::ResolveFinalPath(path);
            return final.kind == sys::FinalPath::Kind::Folder || final.kind == sys::FinalPath::Kind::File ? final.path
                                                                                                            : path;
          }};
}

DetectionCleanup::DetectionCleanup(CleanupMode mode, std::string folder, CleanupServices services)
    : mode_(mode),
      folder_(sys::WithSeparator(std::move(folder))),
      services_(std::move(services)),
      remedy_({.files = services_.files, .clock = services_.clock, .stopProcessOf = services_.stopProcessOf}),
      quarantine_(folder_, services_.files, services_.clock) {}

bool DetectionCleanup::Prepare(const std::vector<std::string>& roots, std::string& error) {
  if (mode_ != CleanupMode::Move) return true;
  // "a/b/c" with "a" missing: every folder on the way is made.
  for (std::size_t at = folder_.find_first_not_of("/\\"); at < folder_.size(); ++at) {
    if (sys::IsPathSeparator(folder_[at])) services_.files.MakeFolder(folder_.substr(0, at));
  }
  if (!services_.files.MakeFolder(folder_)) {
    error = "cannot make the folder " + folder_;
    return false;
  }
  finalFolder_ = sys::WithSeparator(services_.finalPath(folder_));
  for (const std::string& root : roots) {
    if (Within(sys::WithSeparator(services_.finalPath(root)), finalFolder_)) {
      error = "the folder " + folder_ + " is or holds the scanned " + root + ": give --move a folder outside it";
      return false;
    }
  }
  return true;
}

bool DetectionCleanup::InFolder(const Detection& found) const {
  // Where the scan's own handle said the file lies, links and "." resolved.
  if (found.identity && !found.identity->finalPath.empty()) return Within(found.identity->finalPath, finalFolder_);
  const std::string folder = sys::FolderOf(found.path);
  return Within(sys::WithSeparator(services_.finalPath(folder.empty() ? "." : folder)), finalFolder_);
}

std::string DetectionCleanup::Original(const Detection& found) const {
  if (found.identity && !found.identity->finalPath.empty()) return found.identity->finalPath;
  // Only the folder is resolved: a link in the file's own place stays a link.
  const std::string folder = sys::FolderOf(found.path);
  return sys::WithSeparator(services_.finalPath(folder.empty() ? "." : folder)) + found.path.substr(folder.size());
}

std::vector<CleanupOutcome> DetectionCleanup::Clean(const std::vector<Detection>& found) {
  const bool move = mode_ == CleanupMode::Move;
  std::vector<CleanupOutcome> outcomes(found.size(), CleanupOutcome{true, "", "", "", ""});
  if (mode_ == CleanupMode::Report) return outcomes;
  RemedyBatch batch;
  std::vector<std::size_t> rows;  // the detection of each batch row
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (move && InFolder(found[i])) {
      outcomes[i] = {true, "left in " + folder_, "left in", "", ""};
      continue;
    }
    batch.Add(found[i], move ? RemedyAction::Quarantine : RemedyAction::Delete, Original(found[i]));
    rows.push_back(i);
  }
  batch.Apply(remedy_, quarantine_, services_.files);
  for (std::size_t r = 0; r < rows.size(); ++r) outcomes[rows[r]] = Told(batch.Rows()[r].outcome, move);
  return outcomes;
}

}  // namespace tarvex::console
