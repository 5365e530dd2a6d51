#include <windows.h>

#include "base/scoped_win32.h"
#include "system/file_read.h"
#include "system/files.h"
#include "system/handle_facts_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

constexpr LONGLONG kTooLarge = 0x80000000LL;

bool ReadAll(HANDLE h, unsigned char* buf, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    DWORD got = 0;
    if (!ReadFile(h, buf + done, static_cast<DWORD>(size - done), &got, nullptr) || got == 0) return false;
    done += got;
  }
  return true;
}

// The scan's file, kept open: its volume and final path are asked only of a file found.
class Win32ReadHandle final : public ReadHandle {
 public:
  Win32ReadHandle(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {}
  std::optional<FileIdentity> Identity() override { return win32::IdentityAt(handle_.get(), path_); }

 private:
  ui::ScopedHandle handle_;
  std::string path_;
};

}  // namespace

FileRead ReadFileWith(const std::string& path, std::int64_t readBelow,
                      const std::function<unsigned char*(std::size_t)>& room, std::unique_ptr<ReadHandle>* held) {
  const std::optional<std::wstring> wide = win32::WidePath(path);
  if (!wide) return {};  // no such name can exist
  // A scan's read opens a link as itself: a file link of the system's own has no content to check.
  HANDLE h = CreateFileW(wide->c_str(), GENERIC_READ | FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN | (held ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr);
  // Locked by another program: the directory still knows its length.
  if (h == INVALID_HANDLE_VALUE) return {FileLength(path), false};
  FileRead result;
  LARGE_INTEGER size;
  if (GetFileSizeEx(h, &size) && size.QuadPart >= 0) {
    result.length = size.QuadPart;
    if (size.QuadPart < readBelow && size.QuadPart < kTooLarge) {
      const auto total = static_cast<std::size_t>(size.QuadPart);
      unsigned char* buf = room(total);
      result.read = buf && ReadAll(h, buf, total);
    }
  }
  if (held) {
    *held = std::make_unique<Win32ReadHandle>(h, path);
  } else {
    CloseHandle(h);
  }
  return result;
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
  const std::optional<std::wstring> wide = win32::WidePath(path);
  if (!wide) return {};
  HANDLE h = CreateFileW(wide->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return {};
  std::string head(count, '\0');
  DWORD got = 0;
  if (!ReadFile(h, head.data(), static_cast<DWORD>(count), &got, nullptr)) got = 0;
  CloseHandle(h);
  head.resize(got);
  return head;
}

std::optional<FileStamp> FileStampOf(const std::string& path) {
  const std::optional<std::wstring> wide = win32::WidePath(path);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!wide || !GetFileAttributesExW(wide->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  const auto time = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
  return FileStamp{(static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, time};
}

}  // namespace tarvex::sys
