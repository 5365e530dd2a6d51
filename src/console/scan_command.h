#pragma once
// tarvex-scan from its arguments to its exit status, over a console that
// tests can read.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "console/console_io.h"
#include "console/detection_cleanup.h"
#include "scan/two_pass_scan.h"

namespace tarvex::console {

// What a console scan needs from the system; SystemConsoleServices() gives
// the real ones, tests their own.
struct ConsoleServices {
  ScanServices scan;
  std::function<std::optional<std::uint32_t>(const std::string& path)> attributes;
};
ConsoleServices SystemConsoleServices();

// `cleanup`: the files and processes that --move and --remove change.
int RunScanCommand(const std::vector<std::string>& args, ConsoleIo& io, const ConsoleServices& services,
                   const CleanupServices& cleanup = SystemCleanupServices());

}  // namespace tarvex::console
