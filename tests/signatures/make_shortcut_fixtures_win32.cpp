// Makes the cases of support/shortcut_stick.h on the drive R:, their
// shortcuts by the system's shell, and copies the shortcuts into the folder it
// is given: the fixtures of tests/signatures/shortcuts/ (see the README there).
#include <windows.h>

#include <cstdio>

#include "support/shell_link_win32.h"

int main(int argc, char** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: make_shortcut_fixtures OUTPUT-FOLDER\n"), 2;
  using namespace tarvex::testing;
  bool ok = true;
  for (const ShortcutCase& c : ShortcutCases()) {
    const std::string stick = kStickDrive + c.folder + "\\", out = std::string(argv[1]) + "\\" + c.folder + "\\";
    ok = WriteCase(c, stick) && ok;
    TempTree::MakeFolders(out, out.find('\\') + 1);
    for (const StickShortcut& s : c.shortcuts)
      ok = CopyFileW(TempTree::Wide(stick + s.name).c_str(), TempTree::Wide(out + s.name).c_str(), FALSE) && ok;
  }
  return ok ? 0 : 1;
}
