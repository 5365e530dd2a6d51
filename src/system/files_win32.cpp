#include <windows.h>

#include "system/files.h"
#include "system/handle_facts_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

constexpr std::uint32_t kMaskable = kAttrHidden | kAttrSystem | kAttrDirectory;

// A name that UTF-8 cannot carry (a lone surrogate, which the file system
// allows) is given by its short name, so that the file can still be reached;
// without one the entry cannot be named at all.
std::optional<std::string> NameOf(const WIN32_FIND_DATAW& fd) {
  if (std::optional<std::string> name = win32::Utf8(fd.cFileName)) return name;
  if (fd.cAlternateFileName[0] != L'\0') return win32::Utf8(fd.cAlternateFileName);
  return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> FileLength(const std::string& path) {
  std::optional<std::wstring> wide = win32::WidePath(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<std::uint32_t> FileAttributes(const std::string& path) {
  std::optional<std::wstring> wide = win32::WidePath(path);
  if (!wide) return std::nullopt;
  DWORD a = GetFileAttributesW(wide->c_str());
  if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return a;
}

std::optional<std::string> FolderIdentity(const std::string& folder) {
  std::optional<std::wstring> wide = win32::WidePath(folder);
  if (!wide) return std::nullopt;
  // Opened for nothing but its facts, shared with everyone, so no other
  // program is held up by the look.
  HANDLE h = CreateFileW(wide->c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<win32::HandleFacts> facts = win32::FactsOf(h);
  CloseHandle(h);
  // Some network file systems give every file the number 0: that tells nothing.
  if (!facts || !(facts->attributes & FILE_ATTRIBUTE_DIRECTORY) || facts->index == 0) return std::nullopt;
  return std::to_string(facts->index);
}

std::vector<DirEntry> ListDirectory(const std::string& pattern, std::uint32_t mask) {
  std::vector<DirEntry> out;
  // A folder path ending in a backslash lists the folder's whole content.
  std::string query = pattern;
  if (!query.empty() && (query.back() == '\\' || query.back() == '/')) query += "*";
  std::optional<std::wstring> wide = win32::WidePath(query);
  if (!wide) return out;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(wide->c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    std::uint32_t a = fd.dwFileAttributes;
    if ((a & kMaskable & ~mask) != 0) continue;
    if (std::optional<std::string> name = NameOf(fd)) out.push_back({std::move(*name), a});
  } while (FindNextFileW(h, &fd));
  FindClose(h);
  return out;
}

}  // namespace tarvex::sys
