#pragma once
// A quarantine folder and its manifest: what is in it and where each file came
// from, putting a file back without overwriting anything, deleting one for
// good, and the restored heuristic finds that later scans trust.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "remedy/quarantine_manifest.h"
#include "scan/detection.h"
#include "system/clock.h"
#include "system/file_system.h"

namespace tarvex {

// One file in the quarantine folder.
struct QuarantineEntry {
  int id = 0;            // the manifest's number; 0 when no line names the file (origin unknown)
  std::string name;      // in the quarantine folder
  std::string path;      // the folder and the name
  std::string original;  // empty when the origin is unknown
  std::string virus;     // UTF-8
  std::string time;
  std::int64_t size = 0;
  std::string checksum;
  std::uint32_t attributes = 0;
  bool KnownOrigin() const { return id != 0; }
};

struct RestoreOutcome {
  bool done = false;
  std::string restoredTo;  // done: where the file is now
  std::string reason;      // not done: why not
};

// The name a quarantined file takes: its own name + "_vir", or "_vir2",
// "_vir3", ... for later attempts. A name too long for that is cut (at a
// character's end) so that the whole stays within 255 bytes; the manifest
// keeps the full original.
std::string QuarantineName(const std::string& name, int attempt);
// "NAME (n).EXT" beside `path`, as Explorer names copies; `path` itself for n = 1.
std::string NumberedCopy(const std::string& path, int n);
// "Y-M-D h:m:s" with two-digit fields: the manifest's time.
std::string ManifestTime(const sys::LocalTime& t);
// The checksum text of the content.
std::string ContentChecksum(const std::string& content);

class Quarantine {
 public:
  // `folder` ends in its separator, or is given one.
  Quarantine(std::string folder, sys::FileSystem& files, const sys::Clock& clock);

  const std::string& Folder() const { return folder_; }
  std::string ManifestPath() const { return folder_ + kManifestName; }
  std::string Now() const { return ManifestTime(clock_.Now()); }
  // The folder part of a path, its separator included: paths are written as
  // the quarantine folder's own is (the window's always as Windows paths).
  std::string FolderPart(const std::string& path) const;

  // Every file in the folder but the manifest, those with a line first in the
  // manifest's order, then those without one by name. A line names a file
  // only while the folder holds a file of its name and size; for a name used
  // again, the latest line counts.
  std::vector<QuarantineEntry> List();

  // Appends one record, flushed to the disk, to the manifest in the folder
  // (which must exist); false when it could not be written.
  bool Record(const ManifestRecord& record);

  // The first attempt of QuarantineName worth trying for a file of this name:
  // the ones before it were taken when this quarantine last tried them. A
  // stick's hundred copies of one worm try each name once, not a hundred times.
  int FirstUntried(const std::string& name) const;
  // That attempt's name is taken, by another file or by the one just moved in.
  void Taken(const std::string& name, int attempt);
  // Before a new batch of files: a name freed since (restored, deleted) is
  // tried again, so that every batch names its files as an empty memory would.
  void ForgetTakenNames() { untried_.clear(); }

  // Puts the file back where it came from, or for an unknown origin into
  // `intoFolder` under its name without the "_vir" ending: missing folders
  // are made, and a name that is taken gives "NAME (2).EXT", "(3)", ...
  RestoreOutcome Restore(const QuarantineEntry& entry, const std::string& intoFolder = "");
  // Deletes the file for good; false when it stays.
  bool Delete(const QuarantineEntry& entry);

  // Whether a file of this size and checksum was restored after a heuristic
  // rule had caught it: the user has said it is theirs.
  bool Trusts(std::int64_t size, const std::string& checksum);
  // The same for a heuristic find, its content given when the scan read it.
  bool TrustsFound(const Detection& found, std::optional<std::string_view> content);

 private:
  std::vector<ManifestRecord> Records();
  // The separator a folder lacks at its end: "" or the quarantine folder's own.
  std::string Separated(const std::string& folder) const;
  bool MakeFolders(const std::string& folder);
  // The (size, checksum) of every trusted file, parsed again only when the
  // manifest's text differs from the one they came from: a stick with
  // thousands of heuristic finds asks once for each.
  const std::set<std::pair<std::int64_t, std::string>>& TrustedFiles();

  std::string folder_;
  sys::FileSystem& files_;
  const sys::Clock& clock_;
  std::map<std::string, int> untried_;  // by the file's own name
  std::string trustedFrom_;
  std::set<std::pair<std::int64_t, std::string>> trusted_;
};

}  // namespace tarvex
