#pragma once
// The Windows shortcut (.lnk) as Microsoft publishes its format, the Shell
// Link Binary File Format: what a shortcut starts, with which arguments and
// from which folder. The bytes come from a scanned disk and are taken as
// hostile: every length is checked against the bytes that are there, and a
// shortcut damaged anywhere reads as none.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

// A shortcut is read from its first 64 KiB at most: the system's own are a
// few KiB, and a worm's padding beyond that is not looked at.
inline constexpr std::size_t kShellLinkReadBytes = 64 * 1024;

// Every text is UTF-8. Text the shortcut holds in the ANSI code page keeps
// its ASCII; any other byte becomes '?', which no file name holds, so such a
// name can never be taken for another.
struct ShellLink {
  std::uint32_t flags = 0;             // LinkFlags
  std::uint32_t targetAttributes = 0;  // the target's attributes when the shortcut was saved
  std::string idListPath;              // the target's ID list, when it spells a path on a drive
  std::string localBasePath;           // the link info's, and its common path suffix
  std::string commonPathSuffix;
  std::string name;
  std::string relativePath;
  std::string workingDir;
  std::string arguments;
  std::string iconLocation;
  std::string environmentTarget;  // the environment-variables block's path, variables unexpanded

  // The path the system starts: the ID list's, else the link info's, else
  // the environment block's; empty when none spells one.
  std::string TargetPath() const;
  bool operator==(const ShellLink&) const = default;
};

// The bytes begin as a shortcut does: its header's size and class identifier.
bool LooksLikeShellLink(std::string_view bytes);

// The shortcut held in the first kShellLinkReadBytes of `bytes`; no value
// when they hold anything else, or a shortcut cut short or damaged.
std::optional<ShellLink> ReadShellLink(std::string_view bytes) noexcept;

}  // namespace tarvex
