#include "base/wide_text_win32.h"

#include <algorithm>

#include "base/utf8.h"

namespace tarvex::sys::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the wide functions take UTF-16");

std::optional<std::wstring> Wide(std::string_view utf8) {
  std::optional<std::u16string> u16 = Utf8ToUtf16(utf8);
  if (!u16) return std::nullopt;
  return std::wstring(u16->begin(), u16->end());
}

std::optional<std::string> Utf8(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

std::wstring FromAnsi(std::string_view ansi) {
  int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), out.data(), n);
  return out;
}

std::wstring WideText(std::string_view text) {
  std::optional<std::wstring> wide = Wide(text);
  return wide ? *wide : FromAnsi(text);
}

}  // namespace tarvex::sys::win32
