#pragma once
// What the console scan needs beyond the scan itself: the paths given on the
// command line as roots. It ends no process: a console scan reports and
// changes nothing.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scan/two_pass_scan.h"

namespace tarvex::console {

// What a console scan needs from the system; SystemConsoleServices() gives
// the real ones, tests their own.
struct ConsoleServices {
  ScanServices scan;
  std::function<std::optional<std::uint32_t>(const std::string& path)> attributes;
};
ConsoleServices SystemConsoleServices();

// The roots for the paths as given: no value and `error` set when one of
// them does not exist.
std::optional<std::vector<ScanRoot>> ResolveRoots(const std::vector<std::string>& paths, std::string& error,
                                                  const ConsoleServices& services);

}  // namespace tarvex::console
