#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/file_read.h"
#include "system/files.h"
#include "system/reach_posix.h"

namespace tarvex::sys {

namespace {

constexpr std::int64_t kTooLarge = 0x80000000LL;

int OpenForReading(const std::string& path) {
  const Reach at(path);
  return at.ok() ? openat(at.Folder(), at.Name(), O_RDONLY | O_CLOEXEC | O_NONBLOCK) : -1;
}

bool ReadAll(int fd, unsigned char* buf, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t got = read(fd, buf + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;  // failed, or shrank between the length and the read
    done += static_cast<std::size_t>(got);
  }
  return true;
}

}  // namespace

FileRead ReadFileWith(const std::string& path, std::int64_t readBelow,
                      const std::function<unsigned char*(std::size_t)>& room) {
  // Without waiting: a pipe that slipped in between the listing and the read
  // must not hold up the scan.
  const int fd = OpenForReading(path);
  if (fd < 0) return {FileLength(path), false};
  FileRead result;
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    result.length = static_cast<std::int64_t>(st.st_size);
    if (*result.length < readBelow && *result.length < kTooLarge) {
      const auto size = static_cast<std::size_t>(*result.length);
      unsigned char* buf = room(size);
      result.read = buf && ReadAll(fd, buf, size);
    }
  }
  close(fd);
  return result;
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
  const int fd = OpenForReading(path);
  if (fd < 0) return {};
  std::string head(count, '\0');
  ssize_t got;
  do {
    got = read(fd, head.data(), count);
  } while (got < 0 && errno == EINTR);
  close(fd);
  head.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return head;
}

std::optional<FileStamp> FileStampOf(const std::string& path) {
  const Reach at(path);
  struct stat st;
  if (!at.ok() || fstatat(at.Folder(), at.Name(), &st, 0) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::int64_t>(st.st_size),
                   static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec};
}

}  // namespace tarvex::sys
