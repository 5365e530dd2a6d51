#include "console/detection_cleanup.h"

#include "remedy/delete_quarantine.h"
#include "remedy/process_guard.h"
#include "system/files.h"
#include "system/final_path.h"

namespace tarvex::console {

CleanupServices SystemCleanupServices() {
  static ProcessGuard guard(sys::SystemProcesses());
  return {.files = sys::SystemFileSystem(),
          // Afresh for every file, as the window does: ending one process may end others.
          .stopProcessOf = [](const std::string& path) { guard.StopProcessOf(path); },
          .finalPath = [](const std::string& path) {
            sys::FinalPath final = sys::ResolveFinalPath(path);
            return final.kind == sys::FinalPath::Kind::Folder || final.kind == sys::FinalPath::Kind::File ? final.path
                                                                                                            : path;
          }};
}

DetectionCleanup::DetectionCleanup(CleanupMode mode, std::string folder, CleanupServices services)
    : mode_(mode), folder_(sys::WithSeparator(std::move(folder))), services_(std::move(services)) {}

bool DetectionCleanup::Prepare(std::string& error) {
  if (mode_ != CleanupMode::Move) return true;
  if (!services_.files.MakeFolder(folder_)) {
    error = "cannot make the folder " + folder_;
    return false;
  }
  finalFolder_ = sys::WithSeparator(services_.finalPath(folder_));
  return true;
}

bool DetectionCleanup::InFolder(const std::string& path) const {
  const std::string folder = sys::WithSeparator(services_.finalPath(sys::FolderOf(path)));
  return folder.compare(0, finalFolder_.size(), finalFolder_) == 0;
}

CleanupOutcome DetectionCleanup::Clean(const std::string& path) {
  if (mode_ == CleanupMode::Report) return {true, ""};
  if (mode_ == CleanupMode::Move && InFolder(path)) return {true, "left in " + folder_};
  services_.stopProcessOf(path);
  services_.files.SetNormalAttributes(path);
  if (mode_ == CleanupMode::Remove) {
    if (services_.files.Remove(path)) return {true, "removed"};
    return {false, "not removed"};
  }
  std::optional<std::string> target = MoveIntoFolder(path, folder_, services_.files);
  if (target) return {true, "moved to " + *target};
  return {false, "not moved"};
}

}  // namespace tarvex::console
