#pragma once
// tarvex-scan --list-quarantine and --restore ID... [--to DIR]: the quarantine
// folder's files with where they came from, and putting them back.
#include <string>
#include <vector>

#include "console/detection_cleanup.h"
#include "console/console_io.h"
#include "console/scan_options.h"

namespace tarvex::console {

// One line per file: number, name in the quarantine, virus, original path and
// time, tab-separated, each field escaped as the manifest escapes it; a file
// no manifest line names has "-" for its number and "unknown origin" for its
// path. Exit status 0, or 2 when the folder cannot be opened or its manifest
// cannot be read.
int RunListQuarantine(const ScanOptions& options, ConsoleIo& io, const CleanupServices& services);

// Restores the entries named in turn (a manifest number, or the file's name
// in the quarantine), to where they came from or into options.restoreTo; one
// line each. Exit status 0 when every one came back, 2 otherwise.
int RunRestore(const ScanOptions& options, const std::vector<std::string>& entries, ConsoleIo& io,
               const CleanupServices& services);

}  // namespace tarvex::console
