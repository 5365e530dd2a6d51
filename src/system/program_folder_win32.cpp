#include <windows.h>

#include <string>

#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

// The executable's full path; the buffer grows until the name fits, so a
// program deep in the folder tree still finds its database.
std::wstring ModulePath() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) return buf.substr(0, n);
    if (buf.size() >= 32768) return {};
    buf.resize(buf.size() * 2);
  }
}

}  // namespace

std::string ExecutableFolder() {
  std::string path = win32::ReportedPath(ModulePath()).value_or("");
  std::string::size_type cut = path.find_last_of('\\');
  if (cut == std::string::npos) return path;
  // A drive root keeps its backslash: "C:\", not "C:".
  if (cut == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, cut);
}

}  // namespace tarvex::sys
