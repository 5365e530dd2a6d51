#pragma once
// The disguises of the flash-disk worms, told by their shape rather than by a
// signature, so that a copy no database knows yet is still caught. These are
// rules only: the caller reads the file's first bytes and lists its folder.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/files.h"

namespace tarvex::heuristics {

inline constexpr const char* kFolderTwin = "Heur.FolderTwin";
inline constexpr const char* kDoubleExt = "Heur.DoubleExt";
inline constexpr const char* kAutorun = "Heur.Autorun";
// The remark of every heuristic row.
inline constexpr const char* kRemark = "Heuristik";

// How many of a file's first bytes the file rules look at.
inline constexpr std::size_t kHeadBytes = 2;

// Names compared as the file system compares them, letter case ignored.
bool SameName(std::string_view a, std::string_view b);

// The hidden or the system attribute: either hides an entry from Explorer.
bool IsHiddenEntry(std::uint32_t attributes);

// kFolderTwin or kDoubleExt for a file that meets that rule (the folder twin
// first, as the more telling of the two), no value for any other file.
// `head` is the start of the content, `folder` the entries beside the file.
std::optional<std::string_view> FileHeuristic(std::string_view name, std::string_view head,
                                              const std::vector<sys::DirEntry>& folder);

// "autorun.inf" in any letter case.
bool IsAutorunName(std::string_view name);

// The programs an autorun.inf starts, as it writes them: the program of every
// open=, shellexecute= and shell\VERB\command= line with a value, in every
// section (the sections the system reads differ from one version to the
// next), without quotes and arguments. Key names in any letter case, ';'
// comments, and UTF-16 text (as the system's own editors save it) are all
// understood.
std::vector<std::string> AutorunTargets(std::string_view content);

// What the scan found out about one program an autorun.inf starts.
struct AutorunTarget {
  std::string path;       // as the autorun.inf writes it
  bool hidden = false;    // hidden or system attribute
  bool detected = false;  // named by a check or a file rule of its own
};

// Whether an autorun.inf that starts these programs is a worm's: installers
// and CDs start a visible program of their own, the worms hide themselves,
// start a script, or sit in the recycle bin. So it counts when it or one of
// its programs carries the hidden or system attribute, or a program is a
// script host or a script, lies in a recycle-bin or system-volume folder, or
// is detected itself. No program, no row.
bool AutorunIsSuspicious(bool autorunHidden, const std::vector<AutorunTarget>& targets);

}  // namespace tarvex::heuristics
