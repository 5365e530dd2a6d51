#include "scan/folder_walk.h"

namespace tarvex {

namespace {

class SystemDirectorySource : public DirectorySource {
 public:
  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    return sys::ListDirectory(pattern, mask);
  }
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
  if (host.StopRequested()) return;
  const char separator = directories.Separator();
  if (path.empty() || path.back() != separator) path += separator;

  std::vector<std::string> subfolders = CollectSubfolders(path, host, directories);

  for (const sys::DirEntry& file : directories.List(path + SearchStr, kFileListingMask)) {
    if (file.attributes & sys::kAttrDirectory) continue;
    if (host.StopRequested()) return;
    if (kerja == Kerja::Pindai) host.ExamineFile(path, file.name);
    FileCount += 1;
    host.DoEvents();
  }

  for (const std::string& name : subfolders) {
    std::string child = path + name + separator;
    MENCARI_VIRUS(child, SearchStr, FileCount, kerja, host, directories);
  }
  host.DoEvents();
}

}  // namespace tarvex
