#pragma once
// The disguises of the flash-disk worms, told by their shape rather than by a
// signature, so that a copy no database knows yet is still caught. These are
// rules only: the caller reads the file's first bytes and lists its folder.
#include <cstddef>
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

// Whether an autorun.inf's [autorun] section (or a platform's own, such as
// [autorun.amd64], which that platform reads instead) starts a program
// through an open= or shellexecute= line with a value. Section and key names
// in any letter case, ';' comments, quotes and spaces around values, and
// UTF-16 text (as the system's own editors save it) are all understood.
bool AutorunStartsProgram(std::string_view content);

}  // namespace tarvex::heuristics
