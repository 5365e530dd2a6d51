#include "system/open_file_posix.h"

#include <fcntl.h>
#include <unistd.h>

#include "system/files.h"
#include "system/final_path.h"
#include "system/reach_posix.h"

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

std::optional<FileIdentity> IdentityAt(const struct stat& st, const std::string& path) {
  FileIdentity identity = IdentityOf(st);
  const std::string folder = FolderOf(path);
  const FinalPath real = ResolveFinalPath(folder.empty() ? "." : folder);
  identity.finalPath = (real.kind == FinalPath::Kind::Folder ? WithSeparator(real.path) : folder) + path.substr(folder.size());
  // The name leads to the file still: a file renamed away since it was opened has no place here.
  struct stat now;
  const Reach at(identity.finalPath);
  if (!at.ok() || fstatat(at.Folder(), at.Name(), &now, AT_SYMLINK_NOFOLLOW) != 0 || now.st_dev != st.st_dev ||
      now.st_ino != st.st_ino)
    return std::nullopt;
  return identity;
}

}  // namespace tarvex::sys
