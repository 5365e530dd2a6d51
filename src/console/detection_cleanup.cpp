#include "console/detection_cleanup.h"

#include "remedy/process_guard.h"
#include "system/files.h"
#include "system/final_path.h"

namespace tarvex::console {

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
  if (!services_.files.MakeFolder(folder_)) {
    error = "cannot make the folder " + folder_;
    return false;
  }
  finalFolder_ = sys::WithSeparator(services_.finalPath(folder_));
  for (const std::string& root : roots) {
    const std::string scanned = sys::WithSeparator(services_.finalPath(root));
    if (scanned.compare(0, finalFolder_.size(), finalFolder_) == 0) {
      error = "the folder " + folder_ + " is or holds the scanned " + root + ": give --move a folder outside it";
      return false;
    }
  }
  return true;
}

bool DetectionCleanup::InFolder(const std::string& path) const {
  const std::string folder = sys::WithSeparator(services_.finalPath(sys::FolderOf(path)));
  return folder.compare(0, finalFolder_.size(), finalFolder_) == 0;
}

CleanupOutcome DetectionCleanup::Clean(const FoundFile& found) {
  if (mode_ == CleanupMode::Report) return {true, "", "", "", ""};
  if (mode_ == CleanupMode::Move && InFolder(found.detection.path)) return {true, "left in " + folder_, "left in", "", ""};
  const bool move = mode_ == CleanupMode::Move;
  // The manifest keeps a full path, whatever folder the console was started
  // in. Only the folder is resolved: a link in the file's own place stays a
  // link, which the remedy never takes for its target.
  FoundFile full = found;
  const std::string folder = sys::FolderOf(found.detection.path);
  full.detection.path = sys::WithSeparator(services_.finalPath(folder.empty() ? "." : folder)) +
                        found.detection.path.substr(folder.size());
  const RemedyOutcome outcome = remedy_.Apply(full, move ? RemedyAction::Quarantine : RemedyAction::Delete, quarantine_);
  using Kind = RemedyOutcome::Kind;
  switch (outcome.kind) {
    case Kind::Deleted: return {true, "removed", "removed", "", ""};
    case Kind::Quarantined: return {true, "moved to " + outcome.newPath, "moved", outcome.newPath, ""};
    case Kind::AlreadyGone: return {true, "already gone", "already gone", "", ""};
    case Kind::Changed:
      return {false, "changed since the scan", "changed since the scan", "", "changed since the scan"};
    case Kind::Failed: break;
  }
  return {false, move ? "not moved" : "not removed", move ? "not moved" : "not removed", "", outcome.reason};
}

}  // namespace tarvex::console
