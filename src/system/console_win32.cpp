#include <windows.h>
#include <shellapi.h>

#include <cstdio>

#include "system/console.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

HANDLE HandleOf(Stream stream) { return GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE); }

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> out;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return out;
  // An argument with a lone surrogate names nothing that can exist: it is kept
  // as an empty path, which the command line refuses.
  for (int i = 1; i < count; ++i) out.push_back(win32::Utf8(args[i]).value_or(std::string()));
  LocalFree(args);
  return out;
}

bool IsTerminal(Stream stream) {
  DWORD mode = 0;
  return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

std::size_t TerminalWidth(Stream stream) {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(HandleOf(stream), &info)) return static_cast<std::size_t>(info.dwSize.X);
  return 80;
}

void Write(Stream stream, std::string_view utf8) {
  if (IsTerminal(stream)) {
    // A console shows characters, whatever its code page: no mojibake.
    std::fflush(stream == Stream::Out ? stdout : stderr);
    std::wstring wide = win32::WideText(utf8);
    DWORD written = 0;
    WriteConsoleW(HandleOf(stream), wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), stream == Stream::Out ? stdout : stderr);
}

std::string AnsiToUtf8(const std::string& ansi) { return win32::Utf8(win32::FromAnsi(ansi)).value_or(std::string()); }

std::string Utf8ToAnsi(const std::string& utf8) {
  const std::wstring wide = win32::WideText(utf8);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, "?", nullptr);
  std::string ansi(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), n, "?", nullptr);
  return ansi;
}

bool FolderListable(const std::string& folder) {
  std::string pattern = folder;
  if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
  std::optional<std::wstring> query = win32::WidePath(pattern + "*");
  if (!query) return false;
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW(query->c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    FindClose(h);
    return true;
  }
  // An empty drive root has no entries at all, not even "." and "..".
  return GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace tarvex::sys
