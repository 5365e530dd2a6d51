#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>

#include "system/files.h"
#include "system/replacement_files.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

std::int64_t Ticks(const FILETIME& t) {
  return (static_cast<std::int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

class Win32ReplacementFiles : public ReplacementFiles {
 public:
  std::vector<FoundFile> Find(const std::string& folder, const std::string& pattern) override {
    std::vector<FoundFile> out;
    std::optional<std::wstring> query = win32::WidePath(WithSeparator(folder) + pattern);
    if (!query) return out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileExW(query->c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return out;
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
      std::optional<std::string> name = win32::Utf8(fd.cFileName);
      if ((fd.dwFileAttributes & skipped) || !name) continue;
      out.push_back({WithSeparator(folder) + *name, *name, Ticks(fd.ftLastWriteTime)});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
  }

  std::optional<std::int64_t> Length(const std::string& path) override { return FileLength(path); }

  std::optional<std::int64_t> LastWrite(const std::string& path) override {
    std::optional<std::wstring> wide = win32::WidePath(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return Ticks(data.ftLastWriteTime);
  }

  std::optional<std::vector<unsigned char>> Read(const std::string& path) override { return ReadWholeFile(path); }

  bool WriteFlushed(const std::string& path, const std::vector<unsigned char>& bytes) override {
    std::optional<std::wstring> wide = win32::WidePath(path);
    if (!wide) return false;
    HANDLE h = CreateFileW(wide->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
      DWORD written = 0;
      ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
      done += written;
    }
    ok = ok && FlushFileBuffers(h);
    return CloseHandle(h) && ok;
  }

  bool MoveReplacing(const std::string& replacement, const std::string& target) override {
    std::optional<std::wstring> from = win32::WidePath(replacement);
    std::optional<std::wstring> to = win32::WidePath(target);
    // Within one folder this is a rename over the old file: there is no
    // moment at which the target's name is free.
    return from && to && MoveFileExW(from->c_str(), to->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  }

  void Remove(const std::string& path) override {
    if (std::optional<std::wstring> wide = win32::WidePath(path)) DeleteFileW(wide->c_str());
  }
};

}  // namespace

ReplacementFiles& SystemReplacementFiles() {
  static Win32ReplacementFiles files;
  return files;
}

std::optional<std::string> DownloadsFolder() {
  PWSTR path = nullptr;
  std::optional<std::string> out;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &path)) && path) out = win32::Utf8(path);
  CoTaskMemFree(path);
  if (out && out->empty()) out.reset();
  return out;
}

}  // namespace tarvex::sys
