#include "console/console_io.h"

#include <cstdlib>

#include "base/program_files.h"
#include "system/files.h"
#include "system/program_folder.h"

#ifndef TARVEX_DATA_FOLDER
#define TARVEX_DATA_FOLDER "/usr/share/tarvex"
#endif

namespace tarvex::console {

namespace {

class SystemConsoleIo : public ConsoleIo {
 public:
  void Write(sys::Stream stream, std::string_view utf8) override { sys::Write(stream, utf8); }
  bool IsTerminal(sys::Stream stream) override { return sys::IsTerminal(stream); }
  std::size_t TerminalWidth(sys::Stream stream) override { return sys::TerminalWidth(stream); }
  std::vector<std::string> DatabasePlaces() override {
    std::vector<std::string> places{DatabasePath(sys::ProgramFolder(), sys::kPathSeparator)};
    const char* root = std::getenv("TARVEX_ROOT");
    if (std::string system = SystemDatabasePlace(root && *root ? root : "/"); !system.empty())
      places.push_back(system);
    return places;
  }
};

}  // namespace

ConsoleIo& SystemConsole() {
  static SystemConsoleIo io;
  return io;
}

std::string SystemDatabasePlace(const std::string& root) {
#ifdef _WIN32
  (void)root;
  return "";
#else
  std::string place = root;
  while (!place.empty() && place.back() == '/') place.pop_back();
  return place + TARVEX_DATA_FOLDER + "/" + kDatabaseName;
#endif
}

}  // namespace tarvex::console
