#pragma once
// A folder tree of real files under the wine prefix's temp folder, removed again
// when the test ends. Paths are UTF-8 and may be of any depth: the tree is made
// and removed through the wide functions, as the program reaches it.
#include <windows.h>

#include <string>
#include <vector>

#include "system/wide_path_win32.h"

namespace tarvex::testing {

class TempTree {
 public:
  explicit TempTree(const std::string& tag) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    wchar_t full[MAX_PATH] = {};
    DWORD n = GetLongPathNameW(temp, full, MAX_PATH);
    std::string base = sys::win32::Utf8(n > 0 && n < MAX_PATH ? full : temp).value_or("C:\\");
    root_ = base + "Tarvex_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++Counter());
    CreateDirectoryW(Wide(root_).c_str(), nullptr);
  }
  ~TempTree() { RemoveAll(Wide(root_)); }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Root() const { return root_; }

  // `relative` uses backslashes; folders on the way are made as needed.
  std::string Write(const std::string& relative, const std::string& content, DWORD attributes = 0) {
    std::string path = Place(relative);
    Put(path, content);
    if (attributes) SetFileAttributesW(Wide(path).c_str(), attributes);
    return path;
  }

  // The file at `path` with `content`, made or replaced; false when it could not be written.
  static bool Put(const std::string& path, const std::string& content) {
    HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool ok = h != INVALID_HANDLE_VALUE &&
                    ::WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return ok && written == content.size();
  }

  std::string Folder(const std::string& relative, DWORD attributes = 0) {
    std::string path = root_ + "\\" + relative;
    MakeFolders(path + "\\", root_.size() + 1);
    if (attributes) SetFileAttributesW(Wide(path).c_str(), attributes);
    return path;
  }

  // The path of a file or folder of the tree, whether it is there or not.
  std::string Path(const std::string& relative) const { return root_ + "\\" + relative; }

  // A copy of the file at `source` as `relative`; gives its path.
  std::string Copy(const std::string& relative, const std::string& source) {
    std::string path = Place(relative);
    CopyFileW(Wide(source).c_str(), Wide(path).c_str(), FALSE);
    return path;
  }

  // Path(relative), with the folders on the way to it made.
  std::string Place(const std::string& relative) const {
    MakeFolders(Path(relative), root_.size() + 1);
    return Path(relative);
  }

  bool Exists(const std::string& relative) const {
    return GetFileAttributesW(Wide(Path(relative)).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  // Every folder on the way to the last backslash of `path` whose name ends
  // after `from`; those there already stay.
  static void MakeFolders(const std::string& path, std::string::size_type from) {
    for (std::string::size_type i = from; (i = path.find('\\', i)) != std::string::npos; ++i)
      CreateDirectoryW(Wide(path.substr(0, i)).c_str(), nullptr);
  }

  // The path in the long form the wide functions take.
  static std::wstring Wide(const std::string& path) { return sys::win32::WidePath(path).value_or(L""); }

  // Everything in the folder (a long-path form), the folder itself left.
  static void RemoveContents(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
          // A junction goes, never what it leads to.
          if (!RemoveDirectoryW(path.c_str())) DeleteFileW(path.c_str());
        } else if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveAll(path);
        } else {
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(h, &fd));
      FindClose(h);
    }
  }

 private:
  static void RemoveAll(const std::wstring& folder) {
    RemoveContents(folder);
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
  }
  static int& Counter() {
    static int n = 0;
    return n;
  }
  std::string root_;
};

}  // namespace tarvex::testing
