#include "system/files.h"

namespace tarvex::sys {

bool VisibleFileExists(const std::string& path) {
  if (path.empty()) return false;
  for (const DirEntry& e : ListDirectory(path, 0)) {
    if ((e.attributes & kAttrDirectory) == 0) return true;
  }
  return false;
}

}  // namespace tarvex::sys
