#pragma once
// What tarvex-scan --move DIR and --remove do with each detected file, as the
// window's Karantina and Hapus do: end a process running from it, clear its
// attributes, then move it into DIR under a name that overwrites nothing
// (name + "_vir", "_vir2", ...) or delete it.
#include <functional>
#include <string>

#include "system/file_system.h"

namespace tarvex::console {

enum class CleanupMode { Report, Move, Remove };

struct CleanupServices {
  sys::FileSystem& files;
  std::function<void(const std::string& path)> stopProcessOf;
  // The path with links and "." or ".." resolved, to tell a file already in
  // DIR; the path itself when it cannot be resolved.
  std::function<std::string(const std::string& path)> finalPath;
};
// The real files, and the process guard over the running processes.
CleanupServices SystemCleanupServices();

struct CleanupOutcome {
  bool done = false;  // false: the file is where it was
  std::string said;   // what the detection line tells of the file
};

class DetectionCleanup {
 public:
  DetectionCleanup(CleanupMode mode, std::string folder, CleanupServices services);

  CleanupMode Mode() const { return mode_; }

  // Makes the folder of --move; false, with `error` set, when it cannot be
  // made. Called before the scan, so that nothing is scanned in vain.
  bool Prepare(std::string& error);

  // A file already in the folder (or below it) is not moved a second time: it
  // is left as it is and counts as done.
  CleanupOutcome Clean(const std::string& path);

 private:
  bool InFolder(const std::string& path) const;

  CleanupMode mode_;
  std::string folder_;  // ending in its separator
  std::string finalFolder_;
  CleanupServices services_;
};

}  // namespace tarvex::console
