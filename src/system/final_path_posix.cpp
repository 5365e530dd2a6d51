#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

#include "system/final_path.h"

namespace tarvex::sys {

FinalPath ResolveFinalPath(const std::string& given) {
  char* real = realpath(given.c_str(), nullptr);
  if (!real) return {errno == ENOENT || errno == ENOTDIR ? FinalPath::Kind::Missing : FinalPath::Kind::Unresolved, {}};
  FinalPath out{FinalPath::Kind::Unresolved, real};
  std::free(real);
  struct stat st;
  if (stat(out.path.c_str(), &st) == 0) out.kind = S_ISDIR(st.st_mode) ? FinalPath::Kind::Folder : FinalPath::Kind::File;
  return out;
}

}  // namespace tarvex::sys
