#pragma once
// The one remedy of the window's Hapus and Karantina and of tarvex-scan's
// --remove and --move: a detected file deleted, or moved into a quarantine
// folder and recorded in its manifest, with what happened as a typed outcome.
// It acts only on the file the scan read: the file is opened once, checked
// against the identity the scan took from the handle that read it, read and
// changed through that handle, and left where it is when it is no longer
// that file.
#include <functional>
#include <string>

#include "remedy/quarantine.h"
#include "scan/detection.h"
#include "system/clock.h"
#include "system/file_system.h"

namespace tarvex {

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
  // Ends every process running from the file, out of a fresh process table.
  std::function<void(const std::string& path)> stopProcessOf;
};

class Remedy {
 public:
  explicit Remedy(RemedyServices services);

  // A file already gone is only reported, and a file without an identity is
  // left alone as changed. Otherwise, once the file is known to be the one found, the
  // processes running from it are ended and it is deleted, or moved into
  // `quarantine`'s folder as QuarantineName gives after its manifest line was
  // written (`original` is the path the line keeps; the found path when
  // empty): a file whose line cannot be written is not moved.
  RemedyOutcome Apply(const Detection& found, RemedyAction action, Quarantine& quarantine,
                      const std::string& original = "");

 private:
  RemedyOutcome MoveIn(const Detection& found, sys::CheckedFile& file, Quarantine& quarantine,
                       const std::string& original);

  RemedyServices services_;
};

}  // namespace tarvex
