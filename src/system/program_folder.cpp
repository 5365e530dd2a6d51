#include "system/program_folder.h"

#include "system/files.h"

namespace tarvex::sys {

std::string ExecutableFolder();  // per platform

namespace {
std::string& Override() {
  static std::string folder;
  return folder;
}
}  // namespace

std::string ProgramFolder() {
  if (!Override().empty()) return Override();
  return ExecutableFolder();
}

std::string ProgramFile(const std::string& name) { return ProgramFolder() + kPathSeparator + name; }

void OverrideProgramFolder(const std::string& folder) { Override() = folder; }

}  // namespace tarvex::sys
