#include <windows.h>

#include <string>

namespace tarvex::sys {

std::string ExecutableFolder() {
  char buf[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string path(buf, n);
  std::string::size_type cut = path.find_last_of('\\');
  if (cut == std::string::npos) return path;
  // A drive root keeps its backslash: "C:\", not "C:".
  if (cut == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, cut);
}

}  // namespace tarvex::sys
