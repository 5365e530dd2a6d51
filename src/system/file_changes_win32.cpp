#include <windows.h>

#include "system/file_system.h"
#include "system/files.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

// An empty text for a path that is not UTF-8: every call on it fails.
std::wstring PathFor(const std::string& path) { return win32::WidePath(path).value_or(L""); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Win32FileSystem final : public FileSystem {
 public:
  bool SetNormalAttributes(const std::string& path) override {
    return SetFileAttributesW(PathFor(path).c_str(), FILE_ATTRIBUTE_NORMAL) != 0;
  }

  bool Remove(const std::string& path) override { return DeleteFileW(PathFor(path).c_str()) != 0; }

  MoveResult Move(const std::string& from, const std::string& to) override {
    const std::wstring source = PathFor(from), target = PathFor(to);
    if (source.empty() || target.empty()) return MoveResult::Failed;
    // A rename first: it leaves no original behind, so none is looked for (a
    // look-up of a name that is gone reads the whole folder under wine, and a
    // stick's root can hold thousands of worm copies).
    if (MoveFileExW(source.c_str(), target.c_str(), 0)) return MoveResult::Moved;
    // Across drives the move is a copy and a delete, and it reports success
    // even when the original could not be deleted.
    const bool acrossDrives = GetLastError() == ERROR_NOT_SAME_DEVICE;
    if (!acrossDrives || !MoveFileW(source.c_str(), target.c_str())) {
      const DWORD error = GetLastError();
      return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? MoveResult::TargetExists
                                                                          : MoveResult::Failed;
    }
    if (Exists(source)) {
      SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(target.c_str());
      return MoveResult::Failed;
    }
    return MoveResult::Moved;
  }

  bool MakeFolder(const std::string& path) override {
    const std::wstring folder = PathFor(path);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    DWORD a = GetFileAttributesW(folder.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool AppendText(const std::string& path, const std::string& text) override {
    HANDLE h = CreateFileW(PathFor(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == text.size();
  }

  std::optional<std::string> VisibleFileName(const std::string& path) override { return sys::VisibleFileName(path); }
  bool Gone(const std::string& path) override {
    std::optional<std::wstring> wide = win32::WidePath(path);
    if (!wide || GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem system;
  return system;
}

}  // namespace tarvex::sys
