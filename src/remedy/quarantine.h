#pragma once
// A quarantine folder and its manifest: what is in it and where each file came
// from, putting a file back without overwriting anything, deleting one for
// good, and the restored heuristic finds that later scans trust. Whoever can
// write the folder decides what is trusted: the manifest is read as text, as
// a person wrote it.
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
  std::string sha256;
  std::uint32_t attributes = 0;
  // The file as it was listed: a restore or a delete acts on that file only.
  std::optional<sys::FileIdentity> identity;
  bool KnownOrigin() const { return id != 0; }
};

// What became of a quarantined file that was to be restored or deleted.
struct QuarantineOutcome {
  enum class Kind { Done, AlreadyGone, Changed, Failed };
  Kind kind = Kind::Failed;
  std::string path;    // restored: where the file is now
  std::string reason;  // not done: why
  bool Done() const { return kind == Kind::Done; }
};

// The name a quarantined file takes: its own name + "_vir", or "_vir2",
// "_vir3", ... for later attempts. A name too long for that is cut (at a
// character's end) so that the whole stays within 255 bytes; the manifest
// keeps the full original.
std::string QuarantineName(const std::string& name, int attempt);
// The name a quarantined file had before its "_vir" ending.
std::string WithoutVirEnding(const std::string& name);
// "NAME (n).EXT" for a file's name, as Explorer names copies; the name itself for n = 1.
std::string NumberedCopy(const std::string& name, int n);
// "Y-M-D h:m:s" with two-digit fields: the manifest's time.
std::string ManifestTime(const sys::LocalTime& t);
// What the manifest keeps of a file's content.
struct ContentDigest {
  std::int64_t size = 0;
  std::string checksum;  // the database's checksum text
  std::string sha256;
};
ContentDigest DigestOf(std::string_view content);
// Read through the checked file; no value when it could not be read in full.
std::optional<ContentDigest> DigestOf(sys::CheckedFile& file);

// The largest manifest read: some 200 000 lines. A larger one is no
// quarantine's, and is refused rather than read into memory.
inline constexpr std::size_t kManifestLimit = 64u << 20;

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
  // Why the manifest could not be read at the last List or ReadTrust; empty
  // when it could (a missing manifest is an empty one).
  const std::string& Problem() const { return problem_; }

  // Appends one record, flushed to the disk, to the manifest in the folder
  // (which must exist); why not, when it could not be written.
  std::string Record(const ManifestRecord& record);

  // The first attempt of QuarantineName worth trying for a file of this name:
  // the ones before it were taken when this quarantine last tried them. A
  // stick's hundred copies of one worm try each name once, not a hundred times.
  int FirstUntried(const std::string& name) const;
  // That attempt's name is taken, by another file or by the one just moved in.
  void Taken(const std::string& name, int attempt);
  // Before a new batch of files: a name freed since (restored, deleted) is
  // tried again, so that every batch names its files as an empty memory would.
  void ForgetTakenNames() { untried_.clear(); }

  // Puts the file back where it came from, or into `intoFolder` when one is
  // given (the only way for an unknown origin) under its own name: each folder
  // on the way reached without following a link, missing ones made, and a
  // name that is taken gives "NAME (2).EXT", "(3)", ...
  QuarantineOutcome Restore(const QuarantineEntry& entry, const std::string& intoFolder = "");
  // Deletes the file for good.
  QuarantineOutcome Delete(const QuarantineEntry& entry);

  // Reads which heuristic finds the user restored, once for a whole scan.
  void ReadTrust();
  // Whether this heuristic find is a file the user restored after a heuristic
  // rule had caught it (the same SHA-256 and size), its content given when
  // the scan read it, and otherwise read through its identity.
  bool TrustsFound(const Detection& found, std::optional<std::string_view> content);

 private:
  // The manifest's records; none, with Problem() set, when it cannot be read.
  std::vector<ManifestRecord> Records();
  // The separator a folder lacks at its end: "" or the quarantine folder's own.
  std::string Separated(const std::string& folder) const;

  std::string folder_;
  sys::FileSystem& files_;
  const sys::Clock& clock_;
  std::map<std::string, int> untried_;  // by the file's own name
  std::string problem_;
  std::set<std::pair<std::int64_t, std::string>> trusted_;  // size and SHA-256
};

}  // namespace tarvex
