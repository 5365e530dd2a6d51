#include "system/open_file_posix.h"

#include <limits.h>
#include <unistd.h>

namespace tarvex::sys {

Fd& Fd::operator=(Fd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

Fd::~Fd() {
  if (fd_ >= 0) close(fd_);
}

FileIdentity IdentityOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, {}};
}

FileIdentity IdentityOf(int fd, const struct stat& st, const std::string& given) {
  FileIdentity identity = IdentityOf(st);
  // The kernel names what the descriptor was opened on: every link on the way
  // already followed, whatever was renamed since.
  char buf[PATH_MAX];
  const std::string link = "/proc/self/fd/" + std::to_string(fd);
  const ssize_t n = readlink(link.c_str(), buf, sizeof buf);
  identity.finalPath = n > 0 && n < static_cast<ssize_t>(sizeof buf) && buf[0] == '/' ? std::string(buf, n) : given;
  return identity;
}

}  // namespace tarvex::sys
