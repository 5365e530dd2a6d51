#include "system/wide_path_win32.h"

#include <windows.h>

#include <algorithm>

namespace tarvex::sys::win32 {

namespace {

constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";
// A folder path may not reach MAX_PATH - 12 characters (room for an 8.3 name).
constexpr std::size_t kClassicLimit = MAX_PATH - 12;

bool StartsWith(std::wstring_view text, std::wstring_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool IsDriveAbsolute(std::wstring_view p) {
  return p.size() >= 3 && ((p[0] >= L'A' && p[0] <= L'Z') || (p[0] >= L'a' && p[0] <= L'z')) && p[1] == L':' &&
         p[2] == L'\\';
}

bool IsUnc(std::wstring_view p) { return p.size() > 2 && p[0] == L'\\' && p[1] == L'\\' && p[2] != L'\\'; }

// The long form takes every name literally: "." and ".." would be looked up
// as names, so such paths are left to the system to resolve.
bool HasDotSegment(std::wstring_view p) {
  for (std::size_t start = 0; start <= p.size();) {
    std::size_t end = std::min(p.find(L'\\', start), p.size());
    std::wstring_view segment = p.substr(start, end - start);
    if (segment == L"." || segment == L"..") return true;
    start = end + 1;
  }
  return false;
}

// Doubled separators are one to the classic functions but an empty name to
// the long form ("C:\" + "\" + "Tarvex.db" for a program at a drive root).
std::wstring Collapsed(std::wstring_view p, std::size_t from) {
  std::wstring out(p.substr(0, from));
  for (std::size_t i = from; i < p.size(); ++i) {
    if (p[i] == L'\\' && !out.empty() && out.back() == L'\\') continue;
    out += p[i];
  }
  return out;
}

std::wstring LongForm(const std::wstring& full) {
  if (StartsWith(full, kLongPrefix) || StartsWith(full, kDevicePrefix)) return full;
  if (IsUnc(full)) return std::wstring(kLongUncPrefix) + full.substr(2);
  if (IsDriveAbsolute(full)) return std::wstring(kLongPrefix) + full;
  return full;
}

}  // namespace

std::optional<std::wstring> FullPath(const std::wstring& path) {
  DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (n == 0) return std::nullopt;
  std::wstring buf(n, L'\0');
  n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
  if (n == 0 || n >= buf.size()) return std::nullopt;
  buf.resize(n);
  return buf;
}

std::optional<std::wstring> WidePath(std::string_view utf8) {
  // The system ends a path at a NUL: what follows would silently name
  // another file than the one asked for.
  if (utf8.find('\0') != std::string_view::npos) return std::nullopt;
  std::optional<std::wstring> given = Wide(utf8);
  if (!given) return std::nullopt;
  if (StartsWith(*given, kLongPrefix) || StartsWith(*given, kDevicePrefix)) return given;
  std::wstring p = *given;
  std::replace(p.begin(), p.end(), L'/', L'\\');
  if ((IsDriveAbsolute(p) || IsUnc(p)) && !HasDotSegment(p)) return LongForm(Collapsed(p, IsUnc(p) ? 2 : 0));
  if (p.size() < kClassicLimit) return given;
  std::optional<std::wstring> full = FullPath(p);
  return full ? LongForm(*full) : p;
}

std::optional<std::string> ReportedPath(std::wstring_view wide) {
  if (StartsWith(wide, kLongUncPrefix)) return Utf8(L"\\\\" + std::wstring(wide.substr(kLongUncPrefix.size())));
  if (StartsWith(wide, kLongPrefix) && IsDriveAbsolute(wide.substr(kLongPrefix.size()))) {
    return Utf8(wide.substr(kLongPrefix.size()));
  }
  return Utf8(wide);
}

}  // namespace tarvex::sys::win32
