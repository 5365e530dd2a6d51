#include <unistd.h>

#include <string>

namespace tarvex::sys {

// The native build has no executable folder to speak of; tests override it.
std::string ExecutableFolder() {
  char buf[4096];
  return getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

}  // namespace tarvex::sys
