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

// A folder the walk is inside: where its path ends in the walk's one path
// string, and the subfolders still to enter.
struct Level {
  std::size_t pathLength = 0;
  std::optional<std::string> identity;
  std::vector<std::string> subfolders;
  std::size_t next = 0;
};

// Collected in one go, before any file of the folder is looked at, so that the
// walk never keeps one listing open while it starts another.
std::vector<std::string> CollectSubfolders(const std::string& path, WalkHost& host, DirectorySource& directories) {
  const std::vector<sys::DirEntry> entries = directories.List(path, kFolderListingMask);
  host.FolderListed(path, entries);
  std::vector<std::string> subfolders;
  for (const sys::DirEntry& entry : entries) {
    if (entry.name == "." || entry.name == "..") continue;
    // The listing carries each entry's attributes: no second look-up per name.
    if ((entry.attributes & sys::kAttrDirectory) == 0) continue;
    if (entry.attributes & sys::kAttrReparsePoint) continue;  // junctions and folder links may loop
    subfolders.push_back(entry.name);
  }
  return subfolders;
}

}  // namespace

DirectorySource& SystemDirectories() {
  static SystemDirectorySource source;
  return source;
}

void MENCARI_VIRUS(std::string& path, const std::string& SearchStr, std::uint64_t& FileCount, Kerja kerja,
                   WalkHost& host, DirectorySource& directories) {
  const char separator = directories.Separator();
  if (path.empty() || path.back() != separator) path += separator;

  // The folders the walk is inside, outermost first: a list rather than
  // recursion, for a tree as deep as the system allows (some 16 000 folders).
  std::vector<Level> levels;
  std::string current = path;

  // Lists the folder `current` and goes through its files; false when it
  // returned before its subfolders (a stop, or a folder already entered).
  auto enter = [&]() -> bool {
    if (host.StopRequested()) return false;
    Level level{current.size(), directories.FolderIdentity(current)};
    if (level.identity) {
      for (const Level& outer : levels) {
        if (outer.identity == level.identity) return false;
      }
    }
    level.subfolders = CollectSubfolders(current, host, directories);
    for (const sys::DirEntry& file : directories.List(current + SearchStr, kFileListingMask)) {
      // A link to a file may lead out of the tree: it is followed no more than a folder's.
      if (file.attributes & (sys::kAttrDirectory | sys::kAttrReparsePoint)) continue;
      if (host.StopRequested()) return false;
      if (kerja == Kerja::Pindai) host.ExamineFile(current, file.name);
      FileCount += 1;
      host.DoEvents();
    }
    levels.push_back(std::move(level));
    return true;
  };

  enter();
  while (!levels.empty()) {
    Level& level = levels.back();
    if (level.next == level.subfolders.size()) {
      host.DoEvents();
      levels.pop_back();
      continue;
    }
    current.resize(level.pathLength);
    current += level.subfolders[level.next++];
    current += separator;
    enter();
  }
}

}  // namespace tarvex
