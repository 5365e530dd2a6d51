// Any bytes as a shortcut found on a scanned disk: the reader must end, never
// read out of bounds, give only well-formed text, and read no further than
// its limit; the shortcut rules must hold up over whatever it gives.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/utf8.h"
#include "scan/shortcut_heuristics.h"
#include "signatures/shell_link.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvex;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<ShellLink> link = ReadShellLink(bytes);
  // Whatever lies past the limit, one byte past it aside, changes nothing.
  if (size > kShellLinkReadBytes + 1 && ReadShellLink(bytes.substr(0, kShellLinkReadBytes + 1)) != link) std::abort();
  if (!link) return 0;
  for (const std::string* text : {&link->idListPath, &link->localBasePath, &link->commonPathSuffix, &link->name,
                                  &link->relativePath, &link->workingDir, &link->arguments, &link->iconLocation,
                                  &link->environmentTarget}) {
    if (!sys::Utf8ToUtf16(*text) || text->find('\0') != std::string::npos) std::abort();
  }
  // A stick on which every name is a hidden file, the shortcut's own folder included.
  std::size_t asked = 0;
  const heuristics::StickLookup everything = [&asked](std::string_view written) {
    ++asked;
    return std::optional<heuristics::StickEntry>({std::string(written), 0x2});
  };
  const heuristics::ShortcutVerdict verdict = heuristics::JudgeShortcut(*link, "Tugas.lnk", true, everything);
  if (!verdict.worm && !verdict.started.empty()) std::abort();
  if (verdict.started.size() > asked) std::abort();
  return 0;
}
