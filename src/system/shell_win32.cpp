#include "system/shell.h"

#include <shlobj.h>

#include "app/app_title.h"

namespace tarvex::sys {

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title) {
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  BOOL ok = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!ok || path[0] == '\0') return std::nullopt;
  return std::string(path);
}

int MsgBox(HWND owner, const std::string& text, UINT flags, const std::string& title) {
  return MessageBoxA(owner, text.c_str(), title.empty() ? kApplicationTitle : title.c_str(), flags);
}

void Beep() { MessageBeep(MB_OK); }

void PumpPendingMessages(HWND dialog) {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop, once the command returns
      return;
    }
    if (dialog && IsDialogMessageA(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace tarvex::sys
