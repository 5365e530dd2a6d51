#pragma once
// What the program is asked to do beyond showing its window: scan folders
// named on its command line (Send To, a drive's context menu) and guard
// against flash disks ("/jaga"). It keeps no settings, so the command line is
// the only place this is said. A second start hands the same request to the
// running program as text.
#include <optional>
#include <string>
#include <vector>

namespace tarvex {

struct StartRequest {
  bool guard = false;              // "/jaga": scan every removable drive that arrives
  std::vector<std::string> roots;  // folders to scan, in the order given

  bool Empty() const { return !guard && roots.empty(); }
  bool operator==(const StartRequest&) const = default;
};

// The arguments of a Windows command line after the program's name. A
// quoted argument ends at the next quote: a path holds no quote, and Send To
// passes a drive as "E:\", whose backslash must not escape the quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// "/jaga" (in any case) turns the guard on; any other argument is a folder.
// A folder loses its trailing backslashes, and a drive gets its root ("E:" and
// "E:\\" both mean "E:\"), the form the folder browser gives.
StartRequest ParseStartRequest(const std::vector<std::string>& arguments);

// The request as the running program receives it from a second start; no
// value for a text that no second start sends (one holding a NUL).
std::string EncodeStartRequest(const StartRequest& request);
std::optional<StartRequest> DecodeStartRequest(const std::string& text);

}  // namespace tarvex
