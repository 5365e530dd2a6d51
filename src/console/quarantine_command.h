#pragma once
// tarvex-scan --list-quarantine and --restore ID...: the quarantine folder's
// files with where they came from, and putting them back.
#include <vector>

#include "console/detection_cleanup.h"
#include "console/scan_command.h"
#include "console/scan_options.h"

namespace tarvex::console {

// One line per file: number, name in the quarantine, virus, original path and
// time, tab-separated; a file no manifest line names has "-" for its number
// and "unknown origin" for its path. Exit status 0, or 2 when the folder does
// not exist.
int RunListQuarantine(const ScanOptions& options, ConsoleIo& io, const CleanupServices& services);

// Restores the entries of these numbers in turn; one line each. Exit status
// 0 when every one came back, 2 when one did not or no entry has its number.
int RunRestore(const ScanOptions& options, const std::vector<int>& ids, ConsoleIo& io,
               const CleanupServices& services);

}  // namespace tarvex::console
