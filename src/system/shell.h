#pragma once
// The shell and user-interface services the windows use (Windows only).
#include <windows.h>

#include <optional>
#include <string>

namespace tarvex::sys {

// The shell's folder browser, rooted at the desktop, offering only file-system
// folders; `title` is ANSI, the chosen folder UTF-8. No value when the user
// cancels or the folder has no file-system path.
std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title);

// A message box; an empty title shows the application's title.
int MsgBox(HWND owner, const std::string& text, UINT flags, const std::string& title = "");

// The system's default beep.
void Beep();

// Handles every window and timer event that is waiting, then returns, so a
// long command keeps the program alive. A quit request is left in the queue.
// Keyboard navigation (Tab, Enter, Space) of `dialog` keeps working meanwhile.
void PumpPendingMessages(HWND dialog = nullptr);

}  // namespace tarvex::sys
