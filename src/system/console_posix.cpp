#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

#include "system/console.h"
#include "system/reach_posix.h"

namespace tarvex::sys {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool IsTerminal(Stream stream) { return isatty(stream == Stream::Out ? STDOUT_FILENO : STDERR_FILENO) == 1; }

std::size_t TerminalWidth(Stream stream) {
  winsize size{};
  if (ioctl(stream == Stream::Out ? STDOUT_FILENO : STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
    return size.ws_col;
  return 80;
}

void Write(Stream stream, std::string_view utf8) {
  std::FILE* f = stream == Stream::Out ? stdout : stderr;
  std::fwrite(utf8.data(), 1, utf8.size(), f);
}

std::string AnsiToUtf8(const std::string& ansi) { return ansi; }
std::string Utf8ToAnsi(const std::string& utf8) { return utf8; }

bool FolderListable(const std::string& folder) {
  const Reach at(folder.empty() ? "." : folder);
  const int fd = at.ok() ? openat(at.Folder(), at.Name(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
  if (fd < 0) return false;
  // A folder whose names cannot be looked up cannot be scanned either.
  const bool searchable = faccessat(fd, ".", X_OK, AT_EACCESS) == 0;
  close(fd);
  return searchable;
}

}  // namespace tarvex::sys
