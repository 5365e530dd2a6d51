#pragma once
// The command line of tarvex-scan: `tarvex-scan [options] PATH...`.
#include <optional>
#include <string>
#include <vector>

namespace tarvex::console {

struct ScanOptions {
  std::vector<std::string> paths;
  std::string database;  // empty: the first of ConsoleIo::DatabasePlaces() that is there
  std::string mark;      // a checksum text to report as "Permintaan User"; empty: none
  bool summary = true;
  bool heuristics = true;  // the worms' disguises reported beside the signatures
  bool quiet = false;    // errors only: no detections, no summary, no progress
  std::string moveTo;    // --move DIR: each detected file is moved into DIR
  bool remove = false;   // --remove: each detected file is deleted
  std::string unhide;    // --unhide PATH: the folder to bring hidden files back in
  std::string quarantine;  // --quarantine DIR: the folder --list-quarantine and --restore read
  std::string restoreTo;   // --to DIR: --restore puts the files there instead of where they came from
  bool json = false;       // --json: one JSON object per line
};

struct ParsedCommandLine {
  // ListQuarantine and Restore find their folder in options.quarantine, and
  // Restore its entries in `entries`: manifest numbers, or names in the folder.
  enum class Action { Scan, Help, Version, UsageError, Unhide, ListQuarantine, Restore } action = Action::Scan;
  std::vector<std::string> entries;
  ScanOptions options;
  std::string error;  // for UsageError: what was wrong, in one line
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The quarantine folder when --quarantine names none: C:\Karantina\ on
// Windows, none elsewhere.
std::string DefaultQuarantineFolder();

// A checksum as the user may type it (1 to 8 hexadecimal digits, either
// case, leading zeros allowed) in the form the database keys have; no value
// for anything else.
std::optional<std::string> NormalizedChecksum(const std::string& text);

}  // namespace tarvex::console
