#pragma once
// tarvex-scan --unhide PATH: brings back what a virus has hid below PATH,
// after resolving PATH to what it really names and refusing the system's
// own folders (remedy/unhide_rules.h).
#include <functional>
#include <string>

#include "console/console_io.h"
#include "system/attribute_files.h"
#include "system/drives.h"
#include "system/final_path.h"
#include "system/system_folders.h"

namespace tarvex::console {

struct UnhideServices {
  std::function<sys::FinalPath(const std::string&)> resolve;
  std::function<sys::SystemFolders()> systemFolders;
  sys::DriveTypeService driveType;
  sys::AttributeFiles& files;
};
UnhideServices SystemUnhideServices();

// Exit status 0 done, 1 refused (nothing changed), 2 not found or not a folder.
int RunUnhide(const std::string& path, ConsoleIo& io, const UnhideServices& services);

}  // namespace tarvex::console
