#pragma once
// The one remedy of the window's Hapus and Karantina and of tarvex-scan's
// --remove and --move: a detected file deleted, or moved into a quarantine
// folder and recorded in its manifest, with what happened as a typed outcome.
// It acts only on the file the scan found: the name is taken literally, a
// link is never taken for its target, and a file that is no longer the one
// the scan identified is left where it is.
#include <functional>
#include <optional>
#include <string>

#include "remedy/quarantine.h"
#include "scan/detection.h"
#include "system/clock.h"
#include "system/file_system.h"

namespace tarvex {

// A detection and what identified its file when the scan found it; no
// identity when the file could not be asked, and then nothing is done to it.
struct FoundFile {
  Detection detection;
  std::optional<sys::FileIdentity> identity;
};

enum class RemedyAction { Delete, Quarantine };

struct RemedyOutcome {
  enum class Kind { Deleted, Quarantined, AlreadyGone, Changed, Failed };
  Kind kind = Kind::Failed;
  std::string newPath;  // Quarantined: where the file is now
  std::string reason;   // Failed: why the file stayed
  // The file was dealt with, or there was nothing left to deal with.
  bool Done() const { return kind != Kind::Changed && kind != Kind::Failed; }
};

struct RemedyServices {
  sys::FileSystem& files;
  const sys::Clock& clock;
  // Ends a process running from the file, out of a fresh process table.
  std::function<void(const std::string& path)> stopProcessOf;
};

class Remedy {
 public:
  explicit Remedy(RemedyServices services);

  // What the scan saw of a file it found, to be handed back to Apply.
  FoundFile Identify(const Detection& detection) const { return {detection, services_.files.Identify(detection.path)}; }

  // A file already gone is only reported. Otherwise the process running from
  // it is ended, and it is deleted, or moved into `quarantine`'s folder as
  // QuarantineName gives, after its manifest line was written: a file whose
  // line cannot be written is not moved. The file's attributes are cleared
  // only once it is known to be the file found.
  RemedyOutcome Apply(const FoundFile& found, RemedyAction action, Quarantine& quarantine);

 private:
  RemedyOutcome MoveIn(const FoundFile& found, Quarantine& quarantine);

  RemedyServices services_;
};

}  // namespace tarvex
