// Writes the shortcuts of the flash disk in support/shortcut_stick.h, each
// made by the system's shell on the drive R:, into the folder it is given:
// the fixtures of tests/signatures/shortcuts/ (see the README there).
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "base/wide_text_win32.h"
#include "support/shell_link_win32.h"

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_shortcut_fixtures OUTPUT-FOLDER\n");
    return 2;
  }
  const std::wstring out = argv[1];
  int failed = 0;
  for (const tarvex::testing::ShortcutCase& c : tarvex::testing::ShortcutCases()) {
    const std::string stick = tarvex::testing::kStickDrive + c.folder + "\\";
    if (!tarvex::testing::WriteCase(c, stick)) ++failed;
    const std::wstring folder = out + L"\\" + tarvex::sys::win32::Wide(c.folder).value_or(L"");
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const tarvex::testing::StickShortcut& s : c.shortcuts) {
      const std::wstring name = tarvex::sys::win32::Wide(s.name).value_or(L"");
      const std::wstring from = tarvex::sys::win32::Wide(stick + s.name).value_or(L"");
      if (!CopyFileW(from.c_str(), (folder + L"\\" + name).c_str(), FALSE)) ++failed;
    }
    std::printf("%s: %zu shortcuts\n", c.folder.c_str(), c.shortcuts.size());
  }
  LocalFree(argv);
  return failed == 0 ? 0 : 1;
}
