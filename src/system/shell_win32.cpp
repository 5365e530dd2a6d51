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

void ShellOpen(HWND owner, const std::string& fileOrAddress) {
  ShellExecuteA(owner, "open", fileOrAddress.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

RECT WorkArea() {
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace tarvex::sys
