// Stand-in for the native build, on ordinary host paths.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "system/file_system.h"
#include "system/files.h"

namespace tarvex::sys {

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool CopyContent(int in, int out) {
  std::vector<char> buf(1 << 16);
  for (;;) {
    ssize_t n = read(in, buf.data(), buf.size());
    if (n == 0) return fsync(out) == 0;
    if (n < 0 || !WriteAll(out, buf.data(), static_cast<std::size_t>(n))) return false;
  }
}

// To another file system (a flash disk's file into a folder of the host): a
// copy made only under a free name, then the original removed; when it
// cannot be, the copy goes again and the file has not moved.
MoveResult CopyAcross(const std::string& from, const std::string& to) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return MoveResult::Failed;
  int out = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (out < 0) {
    const bool taken = errno == EEXIST;
    close(in);
    return taken ? MoveResult::TargetExists : MoveResult::Failed;
  }
  bool ok = CopyContent(in, out);
  ok = close(out) == 0 && ok;
  close(in);
  if (ok && unlink(from.c_str()) == 0) return MoveResult::Moved;
  unlink(to.c_str());
  return MoveResult::Failed;
}

class PosixFileSystem final : public FileSystem {
 public:
  bool SetNormalAttributes(const std::string& path) override {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
  }

  bool Remove(const std::string& path) override { return unlink(path.c_str()) == 0; }

  MoveResult Move(const std::string& from, const std::string& to) override {
    // A hard link fails on an existing target, so nothing is ever replaced.
    if (link(from.c_str(), to.c_str()) == 0) {
      if (unlink(from.c_str()) == 0) return MoveResult::Moved;
      unlink(to.c_str());
      return MoveResult::Failed;
    }
    if (errno == EEXIST) return MoveResult::TargetExists;
    if (errno == EXDEV) return CopyAcross(from, to);
    // File systems without hard links, FAT above all (a flash disk mounted
    // here): a rename that refuses a taken name.
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return MoveResult::Moved;
    if (errno == EEXIST) return MoveResult::TargetExists;
    return errno == EXDEV ? CopyAcross(from, to) : MoveResult::Failed;
  }

  bool MakeFolder(const std::string& path) override {
    if (mkdir(path.c_str(), 0777) == 0) return true;
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  bool AppendText(const std::string& path, const std::string& text) override {
    std::FILE* f = std::fopen(path.c_str(), "ab");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
  }

  std::optional<std::string> VisibleFileName(const std::string& path) override { return sys::VisibleFileName(path); }
  bool Gone(const std::string& path) override {
    struct stat st;
    return lstat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem system;
  return system;
}

}  // namespace tarvex::sys
