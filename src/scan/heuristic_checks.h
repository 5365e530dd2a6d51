#pragma once
// The heuristic rules (scan/heuristics.h) put to the files of a scan, after
// the checks: what the engine read of a file is what the rules look at, and
// what they need beyond it (the folder beside the file, a program an
// autorun.inf or a shortcut starts) is read through the same listing and the
// same checks.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/folder_walk.h"
#include "scan/heuristics.h"
#include "scan/scan_engine.h"
#include "scan/shortcut_heuristics.h"
#include "scan/stick_paths.h"

namespace tarvex {

// What the rules read beyond the file itself; all of it must be given.
struct HeuristicServices {
  DirectorySource& directories;
  // The first bytes of a file, for a file the checks did not read.
  std::function<std::string(const std::string& path, std::size_t count)> readHead;
  // The engine's checks of another file than the one in hand, reported nowhere.
  std::function<CheckedFile(const std::string& folder, const std::string& name)> check;
};

class HeuristicChecks {
 public:
  explicit HeuristicChecks(HeuristicServices services);

  // Asked of every find, with the file's content when it was read: true keeps
  // it off the list (a file the user restored from the quarantine, and so
  // vouched for).
  using TrustedFind = std::function<bool(const Detection& found, std::optional<std::string_view> content)>;
  void Trust(TrustedFind trusted) { trusted_ = std::move(trusted); }

  // Before a scan: the folders it starts from, each ending in the separator.
  void StartScan(std::vector<std::string> startFolders);
  // Every listing of the scanning pass, before its files.
  void FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries);

  // The rows of the rules for a file: its own when the checks did not name
  // it, then, for a worm's shortcut, one for each file of the scanned tree it
  // starts (named by the checks where they know it). `folder` ends in the
  // separator, `file` is what the engine read of it.
  std::vector<Detection> Check(const std::string& folder, const std::string& name, const CheckedFile& file);

 private:
  // The row of the autorun.inf, folder twin and double extension rules.
  std::optional<Detection> OwnRow(const std::string& folder, const std::string& name, const CheckedFile& file);
  // A shortcut's row, unless the checks named it already, and its targets'.
  void ShortcutRows(const std::string& folder, const std::string& name, const CheckedFile& file,
                    std::vector<Detection>& rows);
  // A file a worm's shortcut starts, as the checks see it.
  std::optional<Detection> TargetRow(const std::string& path);
  // A drive's root or a folder the scan starts from: where an autorun.inf counts.
  bool AutorunPlace(const std::string& folder) const;
  // The double extension or the folder twin.
  std::optional<std::string_view> FileRule(const std::string& path, const std::string& name, const CheckedFile& file,
                                           const heuristics::HiddenFolders& beside);
  // Whether an autorun.inf, of this content, starts a program in a worm's way.
  bool AutorunCounts(const std::string& folder, const std::string& name, const std::string& content);
  // A program an autorun.inf starts, with what the scan knows of it.
  heuristics::AutorunTarget Target(const std::string& folder, std::string written);
  // The path of a program an autorun.inf in `folder` names.
  std::string TargetPath(const std::string& folder, std::string written) const;
  // The file `name` of `folder` in any letter case, with its attributes; the
  // folder's whole listing into `listing` when given.
  std::optional<sys::DirEntry> EntryOf(const std::string& folder, const std::string& name,
                                       std::vector<sys::DirEntry>* listing);
  // The find, unless the user vouched for the file.
  std::optional<Detection> Found(Detection found, std::optional<std::string_view> content) const;

  HeuristicServices services_;
  TrustedFind trusted_;
  std::vector<std::string> startFolders_;
  // The folder whose files come next, with the hidden folders it holds.
  std::string listedFolder_;
  heuristics::HiddenFolders listedHidden_;
  StickPaths stick_;
};

}  // namespace tarvex
