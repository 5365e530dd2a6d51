#pragma once
// Paths in tests are written with "/" and turned into the build's own form,
// so that one test runs natively and on Windows alike.
#include <string>

#include "system/files.h"

namespace tarvex::testing {

inline std::string NativePath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = sys::kPathSeparator;
  }
  return path;
}

}  // namespace tarvex::testing
