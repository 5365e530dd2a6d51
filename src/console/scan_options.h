#pragma once
// The command line of tarvex-scan: `tarvex-scan [options] PATH...`.
#include <optional>
#include <string>
#include <vector>

namespace tarvex::console {

struct ScanOptions {
  std::vector<std::string> paths;
  std::string database;  // empty: Tarvex.db beside the program
  std::string mark;      // a checksum text to report as "Permintaan User"; empty: none
  bool summary = true;
  bool heuristics = true;  // the worms' disguises reported beside the signatures
  bool quiet = false;    // errors only: no detections, no summary, no progress
  std::string moveTo;    // --move DIR: each detected file is moved into DIR
  bool remove = false;   // --remove: each detected file is deleted
  std::string unhide;    // --unhide PATH: the folder to bring hidden files back in
};

struct ParsedCommandLine {
  enum class Action { Scan, Help, Version, UsageError, Unhide } action = Action::Scan;
  ScanOptions options;
  std::string error;  // for UsageError: what was wrong, in one line
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// A checksum as the user may type it (1 to 8 hexadecimal digits, either
// case, leading zeros allowed) in the form the database keys have; no value
// for anything else.
std::optional<std::string> NormalizedChecksum(const std::string& text);

}  // namespace tarvex::console
