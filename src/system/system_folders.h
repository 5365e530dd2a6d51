#pragma once
// The folders the running system names for itself, which an unhide must not
// touch. Each is given in the final form of system/final_path.h, so that it
// compares with a resolved path; one the system does not name is empty.
#include <string>
#include <vector>

namespace tarvex::sys {

struct SystemFolders {
  std::string windows;                    // C:\Windows
  std::vector<std::string> programFiles;  // C:\Program Files, C:\Program Files (x86)
  std::string programData;                // C:\ProgramData
  std::string users;                      // C:\Users
  std::vector<std::string> profiles;      // each profile's own folder, C:\Users\Budi
};

// The native build runs on no Windows: every folder is empty.
SystemFolders TheSystemFolders();

}  // namespace tarvex::sys
