#include <windows.h>

#include "system/file_read.h"

namespace tarvex::sys {

namespace {
constexpr LONGLONG kTooLarge = 0x80000000LL;
}

bool ReadFileInto(const std::string& path, FileBuffer& into) {
  into.Prepare(0);
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  bool ok = false;
  LARGE_INTEGER size;
  if (GetFileSizeEx(h, &size) && size.QuadPart >= 0 && size.QuadPart < kTooLarge) {
    const auto total = static_cast<std::size_t>(size.QuadPart);
    if (unsigned char* buf = into.Prepare(total)) {
      std::size_t done = 0;
      ok = true;
      while (done < total) {
        DWORD got = 0;
        if (!ReadFile(h, buf + done, static_cast<DWORD>(total - done), &got, nullptr) || got == 0) {
          ok = false;  // failed, or shrank between the length and the read
          break;
        }
        done += got;
      }
    }
  }
  CloseHandle(h);
  if (!ok) into.Prepare(0);
  return ok;
}

std::optional<FileStamp> FileStampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return std::nullopt;
  const auto time = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
  return FileStamp{(static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, time};
}

}  // namespace tarvex::sys
