#include <unistd.h>

#include <string>

namespace tarvex::sys {

// The folder the running program was started from, as tarvex-scan needs it
// for the database beside it; the working folder when the system cannot say.
std::string ExecutableFolder() {
  char buf[4096];
  const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) {
    const std::string path(buf, static_cast<std::size_t>(n));
    const std::string::size_type cut = path.find_last_of('/');
    if (cut != std::string::npos) return cut == 0 ? std::string("/") : path.substr(0, cut);
  }
  return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

}  // namespace tarvex::sys
