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
inline constexpr const char* kShortcut = "Heur.Shortcut";
// The file a worm's shortcut starts.
inline constexpr const char* kShortcutTarget = "Heur.ShortcutTarget";
// The remark of every heuristic row.
inline constexpr const char* kRemark = "Heuristik";

// How many of a file's first bytes the file rules look at.
inline constexpr std::size_t kHeadBytes = 2;

// Names compared as the file system compares them, letter case ignored.
bool SameName(std::string_view a, std::string_view b);
// The name as SameName sees it: two names are the same when these are equal.
std::string FoldedName(std::string_view name);

// The hidden or the system attribute: either hides an entry from Explorer.
bool IsHiddenEntry(std::uint32_t attributes);

// The file name of a path written with either separator.
std::string_view FileNameOf(std::string_view path);
// A path through a RECYCLER, $RECYCLE.BIN or System Volume Information
// folder, where the worms keep their copies out of the user's sight.
bool InHidingFolder(std::string_view path);

// The hidden folders of one folder's listing, looked up by name (letter case
// ignored): a stick's root with thousands of worm copies beside thousands of
// folders costs a look-up per file, not a pass over the listing.
class HiddenFolders {
 public:
  HiddenFolders() = default;
  // From the entries of a listing, as the walk gives them; implicit, for a
  // listing stands for the hidden folders it holds.
  HiddenFolders(const std::vector<sys::DirEntry>& entries);
  bool Has(std::string_view name) const;

 private:
  std::vector<std::string> names_;  // in lower case, sorted
};

// kFolderTwin or kDoubleExt for a file that meets that rule (the folder twin
// first, as the more telling of the two), no value for any other file.
// `head` is the start of the content, `folder` the hidden folders beside the file.
std::optional<std::string_view> FileHeuristic(std::string_view name, std::string_view head,
                                              const HiddenFolders& folder);

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
