#pragma once
// tarvex-scan's console for tests: what it writes, kept per stream.
#include <string>

#include "console/console_io.h"

namespace tarvex::testing {

class FakeConsole : public console::ConsoleIo {
 public:
  void Write(sys::Stream stream, std::string_view text) override { (stream == sys::Stream::Out ? out : err).append(text); }
  bool IsTerminal(sys::Stream) override { return false; }
  std::size_t TerminalWidth(sys::Stream) override { return 80; }
  std::vector<std::string> DatabasePlaces() override { return {database}; }
  std::string out, err, database;
};

}  // namespace tarvex::testing
