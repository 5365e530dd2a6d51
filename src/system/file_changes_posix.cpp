// Stand-in for the native build, on ordinary host paths. A file is acted on
// through its folder's handle: the name is looked at there without following
// a link, compared with what the scan saw, and then unlinked or renamed there.
// Every path is reached piece by piece, so a file the walk found below a
// path longer than the system takes at once can be acted on too.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>

#include "system/file_system.h"
#include "system/files.h"
#include "system/reach_posix.h"

namespace tarvex::sys {

namespace {

// A descriptor closed with its scope.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

// A path split into its folder (opened) and its last name, taken literally.
struct Place {
  Fd folder;
  std::string name;
};

// Both leave errno as the failed call set it, for the caller to tell a
// missing name from a refusal.
int OpenPath(const std::string& path, int flags, mode_t mode = 0) {
  int fd, error;
  {
    const Reach at(path);
    fd = at.ok() ? openat(at.Folder(), at.Name(), flags | O_CLOEXEC, mode) : -1;
    error = errno;
  }
  errno = error;
  return fd;
}

bool StatPath(const std::string& path, struct stat& st, int flags) {
  bool found;
  int error;
  {
    const Reach at(path);
    found = at.ok() && fstatat(at.Folder(), at.Name(), &st, flags) == 0;
    error = errno;
  }
  errno = error;
  return found;
}

Place PlaceOf(const std::string& path) {
  const std::string folder = FolderOf(path);
  return {Fd(OpenPath(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY)), path.substr(folder.size())};
}

FileIdentity IdentityOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

ChangeResult MissingOr(ChangeResult otherwise) { return errno == ENOENT || errno == ENOTDIR ? ChangeResult::Gone : otherwise; }

// The entry itself, a link not followed, compared with the identified file.
ChangeResult Check(const Place& place, const FileIdentity& identity) {
  if (!place.folder.ok()) return MissingOr(ChangeResult::Failed);
  struct stat st;
  if (fstatat(place.folder.get(), place.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return MissingOr(ChangeResult::Failed);
  return S_ISREG(st.st_mode) && IdentityOf(st) == identity ? ChangeResult::Done : ChangeResult::Changed;
}

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
ChangeResult CopyAcross(const Place& from, const FileIdentity& identity, const Place& to) {
  Fd in(openat(from.folder.get(), from.name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  struct stat st;
  if (!in.ok() || fstat(in.get(), &st) != 0) return ChangeResult::Failed;
  if (IdentityOf(st) != identity) return ChangeResult::Changed;
  Fd out(openat(to.folder.get(), to.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
  if (!out.ok()) return errno == EEXIST ? ChangeResult::TargetExists : ChangeResult::Failed;
  const bool copied = CopyContent(in.get(), out.get());
  if (copied && unlinkat(from.folder.get(), from.name.c_str(), 0) == 0) return ChangeResult::Done;
  unlinkat(to.folder.get(), to.name.c_str(), 0);
  return ChangeResult::Failed;
}

class PosixFileSystem final : public FileSystem {
 public:
  std::optional<FileIdentity> Identify(const std::string& path) override {
    struct stat st;
    if (!StatPath(path, st, 0) || !S_ISREG(st.st_mode)) return std::nullopt;
    return IdentityOf(st);
  }

  ChangeResult RemoveChecked(const std::string& path, const FileIdentity& identity) override {
    const Place place = PlaceOf(path);
    const ChangeResult checked = Check(place, identity);
    if (checked != ChangeResult::Done) return checked;
    return unlinkat(place.folder.get(), place.name.c_str(), 0) == 0 ? ChangeResult::Done : ChangeResult::Failed;
  }

  ChangeResult MoveChecked(const std::string& from, const FileIdentity& identity, const std::string& to) override {
    const Place source = PlaceOf(from), target = PlaceOf(to);
    const ChangeResult checked = Check(source, identity);
    if (checked != ChangeResult::Done) return checked;
    if (!target.folder.ok()) return ChangeResult::Failed;
    const int sf = source.folder.get(), tf = target.folder.get();
    const char *sn = source.name.c_str(), *tn = target.name.c_str();
    // A hard link fails on an existing target, so nothing is ever replaced.
    if (linkat(sf, sn, tf, tn, 0) == 0) {
      if (unlinkat(sf, sn, 0) == 0) return ChangeResult::Done;
      unlinkat(tf, tn, 0);
      return ChangeResult::Failed;
    }
    if (errno == EEXIST) return ChangeResult::TargetExists;
    if (errno == EXDEV) return CopyAcross(source, identity, target);
    // File systems without hard links, FAT above all (a flash disk mounted
    // here): a rename that refuses a taken name.
    if (renameat2(sf, sn, tf, tn, RENAME_NOREPLACE) == 0) return ChangeResult::Done;
    if (errno == EEXIST) return ChangeResult::TargetExists;
    return errno == EXDEV ? CopyAcross(source, identity, target) : ChangeResult::Failed;
  }

  // The host keeps no such bits outside a FAT file system; the unhide reads those.
  std::optional<std::uint32_t> Attributes(const std::string& path) override {
    struct stat st;
    if (!StatPath(path, st, AT_SYMLINK_NOFOLLOW)) return std::nullopt;
    return S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
  }
  bool SetAttributes(const std::string& path, std::uint32_t) override { return Attributes(path).has_value(); }

  bool MakeFolder(const std::string& path) override {
    const Reach at(path);
    if (at.ok() && mkdirat(at.Folder(), at.Name(), 0777) == 0) return true;
    struct stat st;
    return StatPath(path, st, 0) && S_ISDIR(st.st_mode);
  }

  bool AppendText(const std::string& path, const std::string& text) override {
    Fd fd(OpenPath(path, O_WRONLY | O_APPEND | O_CREAT, 0644));
    return fd.ok() && WriteAll(fd.get(), text.data(), text.size()) && fsync(fd.get()) == 0;
  }

  std::optional<std::string> Read(const std::string& path) override {
    Fd fd(OpenPath(path, O_RDONLY));
    if (!fd.ok()) return std::nullopt;
    std::string out;
    char buf[1 << 16];
    for (ssize_t n; (n = read(fd.get(), buf, sizeof buf)) != 0;) {
      if (n < 0) return std::nullopt;
      out.append(buf, static_cast<std::size_t>(n));
    }
    return out;
  }

  std::optional<std::string> ReadTail(const std::string& path, std::size_t count) override {
    Fd fd(OpenPath(path, O_RDONLY));
    struct stat st;
    if (!fd.ok() || fstat(fd.get(), &st) != 0) return std::nullopt;
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    std::string out(std::min(count, size), '\0');
    const ssize_t n = pread(fd.get(), out.data(), out.size(), static_cast<off_t>(size - out.size()));
    if (n < 0) return std::nullopt;
    out.resize(static_cast<std::size_t>(n));
    return out;
  }

  std::vector<std::string> FileNames(const std::string& folder) override {
    std::vector<std::string> names;
    const int fd = OpenPath(folder, O_RDONLY | O_DIRECTORY);
    DIR* d = fd >= 0 ? fdopendir(fd) : nullptr;
    if (!d) {
      if (fd >= 0) close(fd);
      return names;
    }
    while (dirent* e = readdir(d)) {
      struct stat st;
      if (fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode)) names.push_back(e->d_name);
    }
    closedir(d);
    return names;
  }

  bool Gone(const std::string& path) override {
    struct stat st;
    return !StatPath(path, st, AT_SYMLINK_NOFOLLOW) && (errno == ENOENT || errno == ENOTDIR);
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem system;
  return system;
}

}  // namespace tarvex::sys
