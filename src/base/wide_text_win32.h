#pragma once
// The one place where the program's UTF-8 text meets the system's wide
// characters. Texts travel through the program as UTF-8 `char` strings (file
// names among them); windows and the system take them through the wide calls.
// A text that is not valid UTF-8 is taken as ANSI in the system's code page,
// as the database and the program's own texts are.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarvex::sys::win32 {

// No value when the text is not well-formed UTF-8.
std::optional<std::wstring> Wide(std::string_view utf8);

// No value when the text holds a lone surrogate.
std::optional<std::string> Utf8(std::wstring_view wide);

// The system's own texts, which are ANSI, in wide characters.
std::wstring FromAnsi(std::string_view ansi);

// A text to show or hand to the shell: UTF-8 (file names, and the system's
// texts, which are plain ASCII), or ANSI when it is not UTF-8.
std::wstring WideText(std::string_view text);

}  // namespace tarvex::sys::win32

namespace tarvex::ui {

inline std::wstring WideFromUtf8(const std::string& text) { return sys::win32::WideText(text); }

inline std::string Utf8FromWide(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], n, nullptr, nullptr);
  return text;
}

inline bool SetWindowTextUtf8(HWND hwnd, const std::string& text) {
  return SetWindowTextW(hwnd, WideFromUtf8(text).c_str()) != FALSE;
}

inline std::string WindowTextUtf8(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  if (n <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd, &wide[0], n + 1);
  wide.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return Utf8FromWide(wide);
}

}  // namespace tarvex::ui
