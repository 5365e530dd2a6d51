#include "scan/folder_walk.h"

namespace tarvex {

namespace {

class SystemDirectorySource : public DirectorySource {
 public:
  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    return sys::ListDirectory(pattern, mask);
  }
  std::optional<std::string> FolderIdentity(const std::string& folder) override { return sys::FolderIdentity(folder); }
};

}  // namespace

DirectorySource& SystemDirectories() {
  static SystemDirectorySource source;
  return source;
}

FolderWalk::FolderWalk(DirectorySource& directories, std::string path, std::string SearchStr)
    : directories_(directories), searchStr_(std::move(SearchStr)), path_(std::move(path)) {
  if (path_.empty() || path_.back() != directories_.Separator()) path_ += directories_.Separator();
}

std::optional<FolderWalk::Step> FolderWalk::Next(bool stop) {
  for (;;) {
    switch (phase_) {
      case Phase::Enter:
        // Stopped, or a folder the walk is inside: no listing, no subfolders.
        if (stop || !Enter()) {
          phase_ = Phase::Climb;
          continue;
        }
        phase_ = Phase::ListFiles;
        return Step::Listed;
      case Phase::ListFiles:
        // Listed whether a stop came or not: a stop is heard before a file.
        files_ = directories_.List(path_ + searchStr_, kFileListingMask);
        nextFile_ = 0;
        phase_ = Phase::Files;
        continue;
      case Phase::Files:
        // A link to a file may lead out of the tree: it is followed no more than a folder's.
        while (nextFile_ < files_.size() && (files_[nextFile_].attributes & (sys::kAttrDirectory | sys::kAttrReparsePoint)))
          ++nextFile_;
        if (nextFile_ == files_.size()) {
          levels_.push_back(std::move(entered_));
          phase_ = Phase::Climb;
          continue;
        }
        // A stop before a file: the folder is left before its subfolders.
        if (stop) {
          phase_ = Phase::Climb;
          continue;
        }
        folder_ = path_;
        name_ = files_[nextFile_++].name;
        return Step::File;
      case Phase::Climb: {
        if (levels_.empty()) {
          phase_ = Phase::Done;
          continue;
        }
        Level& level = levels_.back();
        path_.resize(level.pathLength);
        if (level.next == level.subfolders.size()) {
          folder_ = path_;
          levels_.pop_back();
          return Step::Left;
        }
        path_ += level.subfolders[level.next++];
        path_ += directories_.Separator();
        phase_ = Phase::Enter;
        continue;
      }
      case Phase::Done:
        return std::nullopt;
    }
  }
}

bool FolderWalk::Enter() {
  Level level{path_.size(), directories_.FolderIdentity(path_)};
  if (level.identity) {
    for (const Level& outer : levels_) {
      if (outer.identity == level.identity) return false;
    }
  }
  // Every subfolder is collected before any file of the folder is looked at.
  entries_ = directories_.List(path_, kFolderListingMask);
  for (const sys::DirEntry& entry : entries_) {
    if (entry.name == "." || entry.name == "..") continue;
    // The listing carries each entry's attributes: no second look-up per name.
    if ((entry.attributes & sys::kAttrDirectory) == 0) continue;
    if (entry.attributes & sys::kAttrReparsePoint) continue;  // junctions and folder links may loop
    level.subfolders.push_back(entry.name);
  }
  entered_ = std::move(level);
  folder_ = path_;
  return true;
}

}  // namespace tarvex
