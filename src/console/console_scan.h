#pragma once
// What the console scan needs beyond the scan itself: the paths given on the
// command line as roots, and the totals it prints at the end. It ends no
// process: a console scan reports and changes nothing.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scan/two_pass_scan.h"

namespace tarvex::console {

struct ScanTotals {
  std::uint64_t folders = 0;        // folders walked in the scanning pass
  std::uint64_t filesCounted = 0;   // by the counting pass
  std::uint64_t filesExamined = 0;  // by the scanning pass, skipped ones included
  std::uint64_t detections = 0;
  std::uint64_t bytesRead = 0;
  double seconds = 0;
};

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
