#pragma once
// The shell and user-interface services the windows use (Windows only).
#include <windows.h>

#include <optional>
#include <string>

namespace tarvex::sys {

// The shell's folder browser, rooted at the desktop, offering only file-system
// folders and open at `start` when one is given; `title` is ANSI, the folders
// UTF-8. No value when the user cancels or the folder has no file-system path.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start = "");

// A message box; an empty title shows the application's title. The texts are
// ANSI or UTF-8 (a path in them), and shown as they are.
int MsgBox(HWND owner, const std::string& text, UINT flags, const std::string& title = "");

// The shell's "open" of a file (a UTF-8 path) or web address, for `owner`,
// shown normally; the result is not examined.
void ShellOpen(HWND owner, const std::string& fileOrAddress);

// The desktop work area (the screen without the task bar), in pixels.
RECT WorkArea();

}  // namespace tarvex::sys
