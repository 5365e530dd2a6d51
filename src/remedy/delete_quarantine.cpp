#include "remedy/delete_quarantine.h"

namespace tarvex {

namespace {

// Far more same-named files than any quarantine holds; only a file system that
// calls every name taken would get this far.
constexpr int kQuarantineAttempts = 100000;

std::string QuarantineName(const std::string& folder, const std::string& name, int attempt) {
  return folder + name + "_vir" + (attempt > 1 ? std::to_string(attempt) : "");
}

}  // namespace

// A file already in the folder is never overwritten: the next free name is used.
std::optional<std::string> MoveIntoFolder(const std::string& path, const std::string& folder, sys::FileSystem& files) {
  // Nothing found means no name to build a target from: the file stays.
  std::optional<std::string> name = files.VisibleFileName(path);
  if (!name) return std::nullopt;
  for (int attempt = 1; attempt <= kQuarantineAttempts; ++attempt) {
    std::string target = QuarantineName(folder, *name, attempt);
    sys::MoveResult result = files.Move(path, target);
    if (result == sys::MoveResult::Moved) return target;
    if (result != sys::MoveResult::TargetExists) return std::nullopt;
  }
  return std::nullopt;
}

bool DeleteOrQuarantine(bool hapus, const std::string& path, sys::FileSystem& files) {
  files.SetNormalAttributes(path);
  return hapus ? files.Remove(path) : MoveIntoFolder(path, kQuarantineFolder, files).has_value();
}

}  // namespace tarvex
