#include "system/drives.h"

#include <windows.h>

#include "system/wide_path_win32.h"

namespace tarvex::sys {

DriveType DriveTypeOf(const std::string& root) {
  std::optional<std::wstring> wide = win32::Wide(root);
  if (!wide) return DriveType::Unknown;
  switch (GetDriveTypeW(wide->c_str())) {
    case DRIVE_NO_ROOT_DIR: return DriveType::NoRootDir;
    case DRIVE_REMOVABLE: return DriveType::Removable;
    case DRIVE_FIXED: return DriveType::Fixed;
    case DRIVE_REMOTE: return DriveType::Remote;
    case DRIVE_CDROM: return DriveType::CdRom;
    case DRIVE_RAMDISK: return DriveType::RamDisk;
    default: return DriveType::Unknown;
  }
}

}  // namespace tarvex::sys
