#include "app/flash_disk_guard.h"

namespace tarvex {

std::vector<std::string> RemovableRoots(std::uint32_t unitMask, const sys::DriveTypeService& driveType) {
  std::vector<std::string> roots;
  for (int letter = 0; letter < 26; ++letter) {
    if (!(unitMask & (std::uint32_t{1} << letter))) continue;
    std::string root = {static_cast<char>('A' + letter), ':', '\\'};
    if (driveType(root) == sys::DriveType::Removable) roots.push_back(std::move(root));
  }
  return roots;
}

}  // namespace tarvex
