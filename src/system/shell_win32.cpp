#include "system/shell.h"

#include <shlobj.h>

#include <vector>

#include "base/app_title.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

using PathFromIdListExFn = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, PWSTR, DWORD, int);

// The call that takes a buffer size (from Vista on), so that a folder deeper
// than the classic limit can be chosen too.
PathFromIdListExFn LoadPathFromIdListEx() {
  HMODULE shell = GetModuleHandleA("shell32.dll");
  FARPROC p = shell ? GetProcAddress(shell, "SHGetPathFromIDListEx") : nullptr;
  return reinterpret_cast<PathFromIdListExFn>(reinterpret_cast<void (*)()>(p));
}

std::wstring FolderOf(PCIDLIST_ABSOLUTE chosen) {
  static const PathFromIdListExFn pathEx = LoadPathFromIdListEx();
  std::vector<wchar_t> buf(pathEx ? 32768 : MAX_PATH, L'\0');
  BOOL ok = pathEx ? pathEx(chosen, buf.data(), static_cast<DWORD>(buf.size()), 0)
                   : SHGetPathFromIDListW(chosen, buf.data());
  return ok ? std::wstring(buf.data()) : std::wstring();
}

// Opens the folder browser at the folder whose item it is given.
int CALLBACK OpenAt(HWND dialog, UINT message, LPARAM, LPARAM item) {
  if (message == BFFM_INITIALIZED) SendMessageW(dialog, BFFM_SETSELECTIONW, FALSE, item);
  return 0;
}

}  // namespace

std::optional<std::string> BrowseForFolder(HWND owner, const std::string& title, const std::string& start) {
  const std::wstring wideTitle = win32::FromAnsi(title);
  BROWSEINFOW info = {};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.lpszTitle = wideTitle.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
  PIDLIST_ABSOLUTE startItem = start.empty() ? nullptr : ILCreateFromPathW(win32::WideText(start).c_str());
  if (startItem) {
    info.lpfn = &OpenAt;
    info.lParam = reinterpret_cast<LPARAM>(startItem);
  }
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (startItem) ILFree(startItem);
  if (!chosen) return std::nullopt;
  std::wstring path = FolderOf(chosen);
  CoTaskMemFree(chosen);
  if (path.empty()) return std::nullopt;
  // A folder whose name UTF-8 cannot carry cannot be walked: like a cancel.
  return win32::ReportedPath(path);
}

int MsgBox(HWND owner, const std::string& text, UINT flags, const std::string& title) {
  // Through the wide call: the texts are ANSI, but a path in them is UTF-8.
  const std::wstring caption = win32::WideText(title.empty() ? kApplicationTitle : title);
  return MessageBoxW(owner, win32::WideText(text).c_str(), caption.c_str(), flags);
}

void ShellOpen(HWND owner, const std::string& fileOrAddress) {
  ShellExecuteW(owner, L"open", win32::WideText(fileOrAddress).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

RECT WorkArea() {
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

}  // namespace tarvex::sys
