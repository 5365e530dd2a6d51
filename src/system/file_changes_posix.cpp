// Stand-in for the native build, on ordinary host paths.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "system/file_changes.h"

namespace tarvex::sys {

bool SetNormalAttributes(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

MoveResult MoveWithoutOverwrite(const std::string& from, const std::string& to) {
  // A hard link fails on an existing target, so nothing is ever replaced.
  if (link(from.c_str(), to.c_str()) != 0) return errno == EEXIST ? MoveResult::TargetExists : MoveResult::Failed;
  if (unlink(from.c_str()) != 0) {
    unlink(to.c_str());
    return MoveResult::Failed;
  }
  return MoveResult::Moved;
}

bool MakeFolder(const std::string& path) {
  if (mkdir(path.c_str(), 0777) == 0) return true;
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool AppendToFile(const std::string& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace tarvex::sys
