#pragma once
// tarvex-scan from its arguments to its exit status, over a console that
// tests can read.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/detection_cleanup.h"
#include "scan/two_pass_scan.h"
#include "system/console.h"

namespace tarvex::console {

enum ExitStatus : int { kClean = 0, kFound = 1, kError = 2 };

// What a console scan needs from the system; SystemConsoleServices() gives
// the real ones, tests their own.
struct ConsoleServices {
  ScanServices scan;
  std::function<std::optional<std::uint32_t>(const std::string& path)> attributes;
};
ConsoleServices SystemConsoleServices();

class ConsoleIo {
 public:
  virtual ~ConsoleIo() = default;
  virtual void Write(sys::Stream stream, std::string_view utf8) = 0;
  virtual bool IsTerminal(sys::Stream stream) = 0;
  virtual std::size_t TerminalWidth(sys::Stream stream) = 0;
  // Tarvex.db beside the program.
  virtual std::string DefaultDatabase() = 0;
};

ConsoleIo& SystemConsole();

// `cleanup`: the files and processes that --move and --remove change.
int RunScanCommand(const std::vector<std::string>& args, ConsoleIo& io, const ConsoleServices& services,
                   const CleanupServices& cleanup = SystemCleanupServices());

}  // namespace tarvex::console
