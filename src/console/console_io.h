#pragma once
// What every task of tarvex-scan shares: the exit statuses and the console it
// writes to, with the places it looks for its database.
#include <string>
#include <string_view>
#include <vector>

#include "system/console.h"

namespace tarvex::console {

enum ExitStatus : int { kClean = 0, kFound = 1, kError = 2 };

class ConsoleIo {
 public:
  virtual ~ConsoleIo() = default;
  virtual void Write(sys::Stream stream, std::string_view utf8) = 0;
  virtual bool IsTerminal(sys::Stream stream) = 0;
  virtual std::size_t TerminalWidth(sys::Stream stream) = 0;
  // Where the database is looked for when --db names none, in order: the
  // first that holds a file is used.
  virtual std::vector<std::string> DatabasePlaces() = 0;
};

ConsoleIo& SystemConsole();

// The system's place for the database as the package installs it, below
// `root` ("/" normally; TARVEX_ROOT names another, such as a system mounted
// elsewhere). Empty on Windows, where the database lies beside the program only.
std::string SystemDatabasePlace(const std::string& root);

}  // namespace tarvex::console
