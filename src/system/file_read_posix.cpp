#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/file_read.h"

namespace tarvex::sys {

namespace {
constexpr std::int64_t kTooLarge = 0x80000000LL;
}

bool ReadFileInto(const std::string& path, FileBuffer& into) {
  into.Prepare(0);
  // A pipe or device listed among the files must not block the scan on open.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  bool ok = false;
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size < kTooLarge) {
    const auto size = static_cast<std::size_t>(st.st_size);
    if (unsigned char* buf = into.Prepare(size)) {
      std::size_t done = 0;
      ok = true;
      while (done < size) {
        ssize_t got = read(fd, buf + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
          ok = false;  // failed, or shrank between the length and the read
          break;
        }
        done += static_cast<std::size_t>(got);
      }
    }
  }
  close(fd);
  if (!ok) into.Prepare(0);
  return ok;
}

std::optional<FileStamp> FileStampOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(st.st_size),
                   static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

}  // namespace tarvex::sys
