#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

#include "system/console.h"

namespace tarvex::sys {

namespace {

std::string WideToUtf8(const wchar_t* text, int length) {
  if (length == 0) return std::string();
  int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return std::wstring();
  const int length = static_cast<int>(text.size());
  int n = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), n);
  return out;
}

HANDLE HandleOf(Stream stream) { return GetStdHandle(stream == Stream::Out ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE); }

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
  std::vector<std::string> out;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return out;
  for (int i = 1; i < count; ++i) out.push_back(WideToUtf8(args[i], static_cast<int>(wcslen(args[i]))));
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
    std::wstring wide = ToWide(CP_UTF8, utf8);
    DWORD written = 0;
    WriteConsoleW(HandleOf(stream), wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::fwrite(utf8.data(), 1, utf8.size(), stream == Stream::Out ? stdout : stderr);
}

std::string AnsiToUtf8(const std::string& ansi) {
  std::wstring wide = ToWide(CP_ACP, ansi);
  return WideToUtf8(wide.data(), static_cast<int>(wide.size()));
}

bool FolderListable(const std::string& folder) {
  std::wstring query = ToWide(CP_UTF8, folder);
  if (query.empty() || (query.back() != L'\\' && query.back() != L'/')) query += L'\\';
  query += L'*';
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW(query.c_str(), &data);
  if (h != INVALID_HANDLE_VALUE) {
    FindClose(h);
    return true;
  }
  // An empty drive root has no entries at all, not even "." and "..".
  return GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace tarvex::sys
