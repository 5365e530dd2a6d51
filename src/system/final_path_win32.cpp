#include <windows.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "system/final_path.h"
#include "system/handle_facts_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](wchar_t a, wchar_t b) {
           return towupper(a) == towupper(b);
         });
}

bool IsDriveForm(std::wstring_view p) {
  return p.size() >= 2 && iswalpha(p[0]) && p[1] == L':' && (p.size() == 2 || p[2] == L'\\');
}

// "\\?\C:\x", "\\.\C:\x" and "\??\C:\x" are C:\x, "\\?\UNC\host\share" is
// \\host\share: the plain forms let GetFullPathNameW fold "." and "..", which
// the prefixed forms would take as names. A device or volume path keeps its
// prefix and is left to the handle to resolve.
std::wstring Unprefixed(std::wstring p) {
  std::replace(p.begin(), p.end(), L'/', L'\\');
  // No name holds a quote: one at the end is the command prompt's reading of
  // "E:\" (a backslash before a quote stands for a quote).
  if (!p.empty() && p.back() == L'"') p.back() = L'\\';
  if (StartsWith(p, L"\\\\?\\UNC\\") || StartsWith(p, L"\\\\.\\UNC\\")) return L"\\\\" + p.substr(8);
  for (std::wstring_view prefix : {L"\\\\?\\", L"\\\\.\\", L"\\??\\"}) {
    if (StartsWith(p, prefix) && IsDriveForm(std::wstring_view(p).substr(prefix.size()))) return p.substr(prefix.size());
  }
  return p;
}

// A drive made by subst (or DefineDosDevice) stands for a folder of another
// drive: its letter is replaced by that folder, a few times over for a subst
// of a subst. Real drives name a device and are left alone.
std::wstring WithoutSubstitutedDrive(std::wstring p) {
  for (int depth = 0; depth < 8 && IsDriveForm(p); ++depth) {
    wchar_t target[MAX_PATH + 8] = {};
    if (!QueryDosDeviceW(p.substr(0, 2).c_str(), target, MAX_PATH + 8)) break;
    std::wstring mapped = target;
    if (!StartsWith(mapped, L"\\??\\") || !IsDriveForm(std::wstring_view(mapped).substr(4))) break;
    mapped = mapped.substr(4);
    std::wstring rest = p.substr(2);
    if (!mapped.empty() && mapped.back() == L'\\' && !rest.empty() && rest.front() == L'\\') mapped.pop_back();
    p = mapped + (rest.empty() ? L"\\" : rest);
  }
  return p;
}

bool IsUnc(std::wstring_view p) { return p.size() > 2 && p[0] == L'\\' && p[1] == L'\\' && p[2] != L'?' && p[2] != L'.'; }

// Any depth and any name (trailing dots, device names) reach the file.
std::wstring LongForm(const std::wstring& p) {
  if (IsDriveForm(p)) return L"\\\\?\\" + p;
  if (IsUnc(p)) return L"\\\\?\\UNC\\" + p.substr(2);
  return p;
}

std::wstring LongPathName(const std::wstring& p) {
  DWORD n = GetLongPathNameW(p.c_str(), nullptr, 0);
  if (n == 0) return p;
  std::wstring buf(n, L'\0');
  n = GetLongPathNameW(p.c_str(), buf.data(), n);
  if (n == 0 || n >= buf.size()) return p;
  buf.resize(n);
  return buf;
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME ||
         error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME || error == ERROR_INVALID_DRIVE ||
         error == ERROR_NOT_READY || error == ERROR_DIRECTORY;
}

}  // namespace

FinalPath ResolveFinalPath(const std::string& given) {
  std::optional<std::wstring> wide = win32::Wide(given);
  if (!wide || wide->empty()) return {FinalPath::Kind::Missing, {}};
  std::wstring p = Unprefixed(*wide);
  if (p.size() == 2 && IsDriveForm(p)) p += L'\\';  // "E:" is the drive, as the batch file takes it
  p = WithoutSubstitutedDrive(p);
  std::optional<std::wstring> full = win32::FullPath(p);
  if (!full) return {FinalPath::Kind::Unresolved, {}};
  p = WithoutSubstitutedDrive(Unprefixed(*full));

  HANDLE h = CreateFileW(LongForm(p).c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return {IsMissing(GetLastError()) ? FinalPath::Kind::Missing : FinalPath::Kind::Unresolved, {}};
  }
  const std::optional<win32::HandleFacts> facts = win32::FactsOf(h);
  std::optional<std::wstring> final = win32::SystemFinalPathOf(h);
  CloseHandle(h);
  if (!facts || !final) return {FinalPath::Kind::Unresolved, {}};

  // Only a drive letter or a share is a form the refusals can judge; a volume
  // without a letter ("\\?\Volume{...}") is not.
  std::wstring plain = LongPathName(Unprefixed(*final));
  if (!IsDriveForm(plain) && !IsUnc(plain)) return {FinalPath::Kind::Unresolved, {}};
  std::optional<std::string> utf8 = win32::ReportedPath(plain);
  if (!utf8) return {FinalPath::Kind::Unresolved, {}};
  const bool folder = (facts->attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  return {folder ? FinalPath::Kind::Folder : FinalPath::Kind::File, *utf8};
}

}  // namespace tarvex::sys
