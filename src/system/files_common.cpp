#include "system/files.h"

namespace tarvex::sys {

std::string FolderOf(const std::string& path) {
  std::size_t cut = path.size();
  while (cut > 0 && !IsPathSeparator(path[cut - 1])) --cut;
  return path.substr(0, cut);
}

std::string WithSeparator(std::string folder) {
  if (!folder.empty() && !IsPathSeparator(folder.back())) folder += kPathSeparator;
  return folder;
}

bool VisibleFileExists(const std::string& path) { return VisibleFileName(path).has_value(); }

std::optional<std::string> VisibleFileName(const std::string& path) {
  if (path.empty()) return std::nullopt;
  for (const DirEntry& e : ListDirectory(path, 0)) {
    if ((e.attributes & kAttrDirectory) == 0) return e.name;
  }
  return std::nullopt;
}

}  // namespace tarvex::sys
