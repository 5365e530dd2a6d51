#pragma once
// What tarvex-scan --move DIR and --remove do with the detected files: the
// window's own remedy batch (remedy/remedy_batch.h), with DIR as the
// quarantine folder.
#include <functional>
#include <string>
#include <vector>

#include "remedy/remedy_batch.h"
#include "system/clock.h"
#include "system/file_system.h"

namespace tarvex::console {

enum class CleanupMode { Report, Move, Remove };

struct CleanupServices {
  sys::FileSystem& files;
  const sys::Clock& clock;
  std::function<void(const std::string& path)> stopProcessOf;
  // The path with links and "." or ".." resolved, to tell a file already in
  // DIR; the path itself when it cannot be resolved.
  std::function<std::string(const std::string& path)> finalPath;
};
// The real files, and the process guard over the running processes.
CleanupServices SystemCleanupServices();

struct CleanupOutcome {
  bool done = false;    // false: the file is where it was
  std::string said;     // what the detection line tells of the file
  std::string word;     // the same in one word or phrase, for --json: "moved", "removed", "left in", ...
  std::string newPath;  // moved: where the file is now
  std::string reason;   // not done: why
};

class DetectionCleanup {
 public:
  DetectionCleanup(CleanupMode mode, std::string folder, CleanupServices services);

  CleanupMode Mode() const { return mode_; }

  // Makes the folder of --move; false, with `error` set, when it cannot be
  // made, or when it is one of the scanned folders or holds one: a move would
  // have nothing to move to. Called before the scan, so that nothing is
  // scanned in vain.
  bool Prepare(const std::vector<std::string>& roots, std::string& error);

  // Every file found dealt with as one batch, the last first; what became of
  // each, in the order found. A file already in the folder (or below it) is
  // not moved a second time: it is left as it is and counts as done.
  std::vector<CleanupOutcome> Clean(const std::vector<Detection>& found);

 private:
  bool InFolder(const Detection& found) const;
  // The full path the manifest keeps, whatever folder the console was started in.
  std::string Original(const Detection& found) const;

  CleanupMode mode_;
  std::string folder_;  // ending in its separator
  std::string finalFolder_;
  CleanupServices services_;
  Remedy remedy_;
  Quarantine quarantine_;
};

}  // namespace tarvex::console
