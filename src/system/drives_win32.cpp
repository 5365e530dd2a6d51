#include "system/drives.h"

#include <windows.h>

#include "system/wide_path_win32.h"

namespace tarvex::sys {

DriveType DriveTypeOf(const std::string& root) {
  std::optional<std::wstring> wide = win32::Wide(root);
  if (!wide) return DriveType::Unknown;
  switch (GetDriveTypeW(wide->c_str())) {
    case DRIVE_REMOVABLE: return DriveType::Removable;
    case DRIVE_FIXED: return DriveType::Fixed;
    default: return DriveType::Unknown;
  }
}

}  // namespace tarvex::sys
