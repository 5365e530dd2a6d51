#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>

#include "system/replacement_files.h"
#include "system/files.h"
#include "ui/wide_text_win32.h"

namespace tarvex::sys {

namespace {

std::string Joined(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

class Win32ReplacementFiles : public ReplacementFiles {
 public:
  std::vector<FoundFile> Find(const std::string& folder, const std::string& pattern) override {
    std::vector<FoundFile> out;
    WIN32_FIND_DATAW fd;
    const std::wstring query = ui::WideFromUtf8(Joined(folder, pattern));
    HANDLE h = FindFirstFileExW(query.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return out;
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
      if (fd.dwFileAttributes & skipped) continue;
      std::string name = ui::Utf8FromWide(fd.cFileName);
      std::int64_t written = (static_cast<std::int64_t>(fd.ftLastWriteTime.dwHighDateTime) << 32) |
                             fd.ftLastWriteTime.dwLowDateTime;
      out.push_back({Joined(folder, name), name, written});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
  }

  std::optional<std::int64_t> Length(const std::string& path) override { return FileLength(path); }

  std::optional<std::vector<unsigned char>> Read(const std::string& path) override { return ReadWholeFile(path); }

  bool WriteFlushed(const std::string& path, const std::vector<unsigned char>& bytes) override {
    HANDLE h = CreateFileW(ui::WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
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
    // Within one folder this is a rename over the old file: there is no
    // moment at which the target's name is free.
    return MoveFileExW(ui::WideFromUtf8(replacement).c_str(), ui::WideFromUtf8(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }

  void Remove(const std::string& path) override { DeleteFileW(ui::WideFromUtf8(path).c_str()); }
};

}  // namespace

ReplacementFiles& SystemReplacementFiles() {
  static Win32ReplacementFiles store;
  return store;
}

std::optional<std::string> DownloadsFolder() {
  PWSTR path = nullptr;
  std::optional<std::string> out;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Downloads, 0, nullptr, &path)) && path) out = ui::Utf8FromWide(path);
  CoTaskMemFree(path);
  if (out && out->empty()) out.reset();
  return out;
}

}  // namespace tarvex::sys
