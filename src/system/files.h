#pragma once
// What the portable code needs from the file system. Paths are UTF-8 text;
// the Windows layer converts them for the wide-character functions.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::sys {

// The character between a folder and the names in it.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The platform's separator, and '/' too, which Windows takes as well.
inline constexpr bool IsPathSeparator(char c) { return c == kPathSeparator || c == '/'; }
// The folder of a path, its last separator included ("" for a bare name).
std::string FolderOf(const std::string& path);
// The folder with a separator at its end, ready for a name (nothing added to "").
std::string WithSeparator(std::string folder);

// Attribute bits, with the values the Windows file system uses.
constexpr std::uint32_t kAttrReadOnly = 0x1;
constexpr std::uint32_t kAttrHidden = 0x2;
constexpr std::uint32_t kAttrSystem = 0x4;
constexpr std::uint32_t kAttrDirectory = 0x10;
constexpr std::uint32_t kAttrArchive = 0x20;
constexpr std::uint32_t kAttrNormal = 0x80;
constexpr std::uint32_t kAttrReparsePoint = 0x400;

struct DirEntry {
  std::string name;
  std::uint32_t attributes = 0;
};

// Length in bytes; no value when the file is missing or cannot be queried.
std::optional<std::int64_t> FileLength(const std::string& path);

// Attributes of a file or folder; no value when it does not exist.
std::optional<std::uint32_t> FileAttributes(const std::string& path);

// The whole file in one buffer. No value when it cannot be opened or read in
// full, or when it is 2 GiB or larger (such files are never held in memory).
std::optional<std::vector<unsigned char>> ReadWholeFile(const std::string& path);

// Lists the entries matching `pattern` (a folder path plus a wildcard name,
// such as "C:\Data\*.*"); a folder path ending in the separator lists all of
// the folder. Entries with the hidden, system or directory bit are
// returned only when `mask` includes that bit; read-only and archive entries
// are always returned. "." and ".." are returned like any folder.
// An unreadable folder or a pattern that matches nothing gives an empty list.
std::vector<DirEntry> ListDirectory(const std::string& pattern, std::uint32_t mask);

// What tells a folder from every other one, however it is named: its volume
// and its number there. No value when the system cannot say.
std::optional<std::string> FolderIdentity(const std::string& folder);

// Directory lookup by name that sees only files without the hidden or system
// attribute: a hidden file counts as missing.
bool VisibleFileExists(const std::string& path);

// The same lookup, giving the found file's own name (without its folder, as
// the directory writes it); no value when it counts as missing.
std::optional<std::string> VisibleFileName(const std::string& path);

}  // namespace tarvex::sys
