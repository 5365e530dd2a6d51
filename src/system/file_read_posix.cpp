#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/file_read.h"
#include "system/files.h"
#include "system/open_file_posix.h"
#include "system/reach_posix.h"

namespace tarvex::sys {

namespace {

constexpr std::int64_t kTooLarge = 0x80000000LL;

// errno as the failed open left it.
int OpenForReading(const std::string& path, int flags = 0) {
  int fd, error;
  {
    const Reach at(path);
    fd = at.ok() ? openat(at.Folder(), at.Name(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | flags) : -1;
    error = errno;
  }
  errno = error;
  return fd;
}

// The scan's file, kept open: where it lies is asked only of a file something was found in.
class PosixReadHandle final : public ReadHandle {
 public:
  PosixReadHandle(Fd fd, const struct stat& st, std::string path) : fd_(std::move(fd)), st_(st), path_(std::move(path)) {}
  std::optional<FileIdentity> Identity() override { return IdentityAt(st_, path_); }

 private:
  Fd fd_;
  struct stat st_;
  std::string path_;
};

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
                      const std::function<unsigned char*(std::size_t)>& room, std::unique_ptr<ReadHandle>* held) {
  // Without waiting: a pipe that slipped in between the listing and the read
  // must not hold up the scan. A scan follows no link the walk did not.
  Fd fd(OpenForReading(path, held ? O_NOFOLLOW : 0));
  if (!fd.ok()) return {held && errno == ELOOP ? std::nullopt : FileLength(path), false};
  FileRead result;
  struct stat st;
  if (fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode)) {
    result.length = static_cast<std::int64_t>(st.st_size);
    if (*result.length < readBelow && *result.length < kTooLarge) {
      const auto size = static_cast<std::size_t>(*result.length);
      unsigned char* buf = room(size);
      result.read = buf && ReadAll(fd.get(), buf, size);
    }
    if (held) *held = std::make_unique<PosixReadHandle>(std::move(fd), st, path);
  }
  return result;
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
  const int fd = OpenForReading(path, O_NOCTTY);
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
