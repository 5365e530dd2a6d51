#pragma once
// A folder tree of real files under the wine prefix's temp folder, removed again
// when the test ends.
#include <windows.h>

#include <string>
#include <vector>

namespace tarvex::testing {

class TempTree {
 public:
  explicit TempTree(const std::string& tag) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    char full[MAX_PATH] = {};
    DWORD n = GetLongPathNameA(temp, full, MAX_PATH);
    std::string base = n > 0 && n < MAX_PATH ? std::string(full, n) : std::string(temp);
    root_ = base + "Tarvex_" + tag + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++Counter());
    CreateDirectoryA(root_.c_str(), nullptr);
  }
  ~TempTree() { RemoveAll(root_); }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& Root() const { return root_; }

  // `relative` uses backslashes; folders on the way are made as needed.
  std::string Write(const std::string& relative, const std::string& content, DWORD attributes = 0) {
    std::string path = root_ + "\\" + relative;
    for (std::string::size_type i = root_.size() + 1; (i = path.find('\\', i)) != std::string::npos; ++i)
      CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
      CloseHandle(h);
    }
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }

  std::string Folder(const std::string& relative, DWORD attributes = 0) {
    std::string path = root_ + "\\" + relative;
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }

 private:
  static int& Counter() {
    static int n = 0;
    return n;
  }
  // Through the wide functions and the long-path prefix, so that trees deeper
  // than the ANSI functions reach are removed too.
  static void RemoveAll(const std::string& folder) { RemoveAllWide(L"\\\\?\\" + std::wstring(folder.begin(), folder.end())); }
  static void RemoveAllWide(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + L"\\" + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveAllWide(path);
        } else {
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(h, &fd));
      FindClose(h);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(folder.c_str());
  }

  std::string root_;
};

}  // namespace tarvex::testing
