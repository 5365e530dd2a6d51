#include "system/program_folder.h"

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

void OverrideProgramFolder(const std::string& folder) { Override() = folder; }

}  // namespace tarvex::sys
