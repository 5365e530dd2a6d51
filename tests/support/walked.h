#pragma once
// A folder walk run to its end as a scan runs it, with what it handed out.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scan/folder_walk.h"

namespace tarvex::testing {

// A walk run to its end as a scan runs it; `stopAfter`, when given, says
// after each step whether the user has asked to stop.
struct Walked {
  std::vector<std::string> listed;  // the folders, as the walk lists them
  std::vector<std::string> files;
  int ends = 0;                     // of a folder's subtree
  std::size_t Count() const { return files.size(); }
};
inline Walked Walk(DirectorySource& tree, const std::string& root, const std::function<bool(const Walked&)>& stopAfter = {}) {
  Walked w;
  FolderWalk walk(tree, root);
  bool stop = false;
  while (const std::optional<FolderWalk::Step> step = walk.Next(stop)) {
    if (*step == FolderWalk::Step::Listed) w.listed.push_back(walk.Folder());
    if (*step == FolderWalk::Step::File) w.files.push_back(walk.Folder() + walk.Name());
    if (*step == FolderWalk::Step::Left) ++w.ends;
    stop = stopAfter && stopAfter(w);
  }
  return w;
}

}  // namespace tarvex::testing
