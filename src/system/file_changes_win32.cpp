#include <windows.h>

#include <algorithm>

#include "base/scoped_win32.h"
#include "system/file_system.h"
#include "system/files.h"
#include "system/handle_facts_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

using ui::ScopedHandle;

// An empty text for a path that is not UTF-8: every call on it fails.
std::wstring PathFor(const std::string& path) { return win32::WidePath(path).value_or(L""); }

bool Missing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

// No volume: see FactsOf.
FileIdentity IdentityOf(const win32::HandleFacts& facts) { return {0, facts.index, facts.size, facts.lastWrite}; }

// The entry the path names, a link itself rather than its target, opened so
// that it can be deleted or renamed; while it is open, no folder on its way
// can be renamed or swapped.
struct Opened {
  ScopedHandle handle;
  ChangeResult result = ChangeResult::Failed;
};

Opened OpenChecked(const std::wstring& path, const FileIdentity& identity) {
  Opened out;
  out.handle.reset(CreateFileW(path.c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!out.handle) {
    out.result = Missing(GetLastError()) ? ChangeResult::Gone : ChangeResult::Failed;
    return out;
  }
  const std::optional<win32::HandleFacts> facts = win32::FactsOf(out.handle.get());
  if (!facts) return out;
  const bool plainFile = (facts->attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
  if (!plainFile || IdentityOf(*facts) != identity) {
    out.result = ChangeResult::Changed;
    return out;
  }
  FILE_BASIC_INFO basic{};
  basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  SetFileInformationByHandle(out.handle.get(), FileBasicInfo, &basic, sizeof basic);
  out.result = ChangeResult::Done;
  return out;
}

bool DeleteOpened(HANDLE file) {
  FILE_DISPOSITION_INFO disposition{TRUE};
  return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<FileIdentity> Identify(const std::string& path) override {
    ScopedHandle file(CreateFileW(PathFor(path).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    const std::optional<win32::HandleFacts> facts = file ? win32::FactsOf(file.get()) : std::nullopt;
    if (!facts || (facts->attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    return IdentityOf(*facts);
  }

  ChangeResult RemoveChecked(const std::string& path, const FileIdentity& identity) override {
    Opened file = OpenChecked(PathFor(path), identity);
    if (file.result != ChangeResult::Done) return file.result;
    return DeleteOpened(file.handle.get()) ? ChangeResult::Done : ChangeResult::Failed;
  }

  ChangeResult MoveChecked(const std::string& from, const FileIdentity& identity, const std::string& to) override {
    const std::wstring source = PathFor(from), target = PathFor(to);
    if (source.empty() || target.empty()) return ChangeResult::Failed;
    Opened file = OpenChecked(source, identity);
    if (file.result != ChangeResult::Done) return file.result;
    if (MoveFileExW(source.c_str(), target.c_str(), 0)) return ChangeResult::Done;
    DWORD error = GetLastError();
    if (error == ERROR_NOT_SAME_DEVICE) {
      // Across drives: a copy that refuses a taken name, then the original
      // deleted through the checked handle; when it cannot be, the copy goes.
      if (!CopyFileW(source.c_str(), target.c_str(), TRUE)) {
        error = GetLastError();
      } else if (DeleteOpened(file.handle.get())) {
        return ChangeResult::Done;
      } else {
        DeleteFileW(target.c_str());
        return ChangeResult::Failed;
      }
    }
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? ChangeResult::TargetExists
                                                                        : ChangeResult::Failed;
  }

  std::optional<std::uint32_t> Attributes(const std::string& path) override {
    const DWORD a = GetFileAttributesW(PathFor(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return a;
  }
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
    return SetFileAttributesW(PathFor(path).c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != 0;
  }

  bool MakeFolder(const std::string& path) override {
    const std::wstring folder = PathFor(path);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
    DWORD a = GetFileAttributesW(folder.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool AppendText(const std::string& path, const std::string& text) override {
    ScopedHandle file(CreateFileW(PathFor(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return ok && written == text.size() && FlushFileBuffers(file.get());
  }

  std::optional<std::string> Read(const std::string& path) override {
    ScopedHandle file(CreateFileW(PathFor(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string out;
    char buf[1 << 16];
    for (DWORD got = 0;; out.append(buf, got)) {
      if (!ReadFile(file.get(), buf, sizeof buf, &got, nullptr)) return std::nullopt;
      if (got == 0) return out;
    }
  }

  std::optional<std::string> ReadTail(const std::string& path, std::size_t count) override {
    ScopedHandle file(CreateFileW(PathFor(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return std::nullopt;
    std::string out(static_cast<std::size_t>(std::min<LONGLONG>(static_cast<LONGLONG>(count), size.QuadPart)), '\0');
    LARGE_INTEGER from{};
    from.QuadPart = size.QuadPart - static_cast<LONGLONG>(out.size());
    DWORD got = 0;
    if (!SetFilePointerEx(file.get(), from, nullptr, FILE_BEGIN) ||
        !ReadFile(file.get(), out.data(), static_cast<DWORD>(out.size()), &got, nullptr))
      return std::nullopt;
    out.resize(got);
    return out;
  }

  std::vector<std::string> FileNames(const std::string& folder) override {
    std::vector<std::string> names;
    for (const DirEntry& e : ListDirectory(WithSeparator(folder), kAttrHidden | kAttrSystem)) {
      if ((e.attributes & (kAttrDirectory | kAttrReparsePoint)) == 0) names.push_back(e.name);
    }
    return names;
  }

  bool Gone(const std::string& path) override {
    std::optional<std::wstring> wide = win32::WidePath(path);
    if (!wide || GetFileAttributesW(wide->c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    return Missing(GetLastError());
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem system;
  return system;
}

}  // namespace tarvex::sys
