// The file changes of the native build. A file is reached through the path
// the system resolved when the scan read it, one folder at a time and no link
// followed, opened without following a link at its end and without waiting,
// and checked on that descriptor. It is then renamed to a private name beside
// it, and only what holds that name afterwards, when it is still the checked
// file in the same folder, is deleted or moved on: a file put at the name in
// between is put back, untouched.
#include <dirent.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "system/file_system.h"
#include "system/files.h"
#include "system/open_file_posix.h"
#include "system/reach_posix.h"

namespace tarvex::sys {

namespace {

constexpr int kReadFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

std::string Words(int error) { return std::strerror(error); }

// The name a file has between its check and its change: no one else's.
std::string PrivateName() {
  static unsigned counter = 0;
  return ".tarvex-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".tmp";
}

bool Exists(int folder, const std::string& name) {
  struct stat st;
  return fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// A rename that never replaces a file; errno set when it fails.
bool RenameNoReplace(int fromFolder, const std::string& from, int toFolder, const std::string& to) {
  if (renameat2(fromFolder, from.c_str(), toFolder, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system that cannot be asked not to replace: a name taken now is refused as the flag would refuse it.
  if (Exists(toFolder, to)) {
    errno = EEXIST;
    return false;
  }
  return renameat(fromFolder, from.c_str(), toFolder, to.c_str()) == 0;
}

// Each folder of `path` opened in the one before it, from the root (or the
// current folder), no link followed; with `make`, the missing ones are made.
struct Descent {
  Fd folder;
  ReachedFolder::Kind kind = ReachedFolder::Kind::Failed;
  int error = 0;
  std::string at;  // where it stopped
};

Descent DescendWithoutLinks(const std::string& path, bool make) {
  Descent out;
  out.folder = Fd(open(!path.empty() && path[0] == '/' ? "/" : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  for (std::size_t start = 0; out.folder.ok() && start < path.size();) {
    std::size_t end = std::min(path.find('/', start), path.size());
    const std::string name = path.substr(start, end - start);
    start = end + 1;
    if (name.empty() || name == ".") continue;
    out.at = path.substr(0, end);
    if (name == "..") {  // a way back up is no part of a path the system resolved
      out.error = EINVAL;
      out.kind = ReachedFolder::Kind::Link;
      return out;
    }
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    int next = openat(out.folder.get(), name.c_str(), kFlags);
    if (next < 0 && errno == ENOENT && make && (mkdirat(out.folder.get(), name.c_str(), 0777) == 0 || errno == EEXIST))
      next = openat(out.folder.get(), name.c_str(), kFlags);
    if (next < 0) {
      out.error = errno;
      struct stat st;
      const bool link = errno == ELOOP || (errno == ENOTDIR && fstatat(out.folder.get(), name.c_str(), &st,
                                                                         AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode));
      out.kind = link ? ReachedFolder::Kind::Link : ReachedFolder::Kind::Failed;
      return out;
    }
    out.folder = Fd(next);
  }
  if (!out.folder.ok()) {
    out.error = errno;
    return out;
  }
  out.kind = ReachedFolder::Kind::Ready;
  return out;
}

ChangeResult MissingOr(int error, ChangeResult otherwise) {
  return error == ENOENT ? ChangeResult::Gone : otherwise;
}

class PosixFolder final : public OpenFolder {
 public:
  PosixFolder(Fd fd, std::string path) : fd_(std::move(fd)), path_(WithSeparator(std::move(path))) {
    struct stat st;
    device_ = fstat(fd_.get(), &st) == 0 ? st.st_dev : 0;
  }
  const std::string& Path() const override { return path_; }
  int fd() const { return fd_.get(); }
  dev_t device() const { return device_; }

 private:
  Fd fd_;
  std::string path_;
  dev_t device_ = 0;
};

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The FAT bits of a file on a flash disk's file system; none elsewhere.
std::uint32_t FatAttributes(int fd) {
  __u32 bits = 0;
  return ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &bits) == 0 ? (bits & (kAttrReadOnly | kAttrHidden | kAttrSystem)) | kAttrArchive
                                                           : kAttrArchive;
}

void SetFatAttributes(int fd, std::uint32_t attributes) {
  __u32 bits = attributes & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
  if (attributes) ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &bits);
}

class PosixCheckedFile final : public CheckedFile {
 public:
  PosixCheckedFile(Fd folder, std::string folderPath, std::string name, Fd file, const struct stat& st,
                   const std::function<void(ChangeStep)>& between)
      : folder_(std::move(folder)),
        folderPath_(std::move(folderPath)),
        name_(std::move(name)),
        file_(std::move(file)),
        st_(st),
        between_(between) {}

  std::uint32_t Attributes() const override { return FatAttributes(file_.get()); }

  bool ReadAll(const std::function<void(std::string_view)>& take) override {
    char buf[1 << 16];
    for (off_t done = 0; done < st_.st_size;) {
      const ssize_t n = pread(file_.get(), buf, std::min<off_t>(sizeof buf, st_.st_size - done), done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {  // failed, or it shrank since its check
        Fail(n < 0 ? errno : ENODATA);
        return false;
      }
      take(std::string_view(buf, static_cast<std::size_t>(n)));
      done += n;
    }
    return true;
  }

  ChangeResult Remove() override {
    std::string aside;
    const ChangeResult result = Aside(aside);
    if (result != ChangeResult::Done) return result;
    if (unlinkat(folder_.get(), aside.c_str(), 0) == 0) return ChangeResult::Done;
    const int error = errno;
    RenameNoReplace(folder_.get(), aside, folder_.get(), name_);
    return Fail(error);
  }

  ChangeResult MoveInto(OpenFolder& into, const std::string& name, std::uint32_t attributes) override {
    auto& to = static_cast<PosixFolder&>(into);
    if (to.device() == st_.st_dev) {
      std::string aside;
      const ChangeResult result = Aside(aside);
      if (result != ChangeResult::Done) return result;
      if (RenameNoReplace(folder_.get(), aside, to.fd(), name)) {
        SetFatAttributes(file_.get(), attributes);
        return ChangeResult::Done;
      }
      const int error = errno;
      RenameNoReplace(folder_.get(), aside, folder_.get(), name_);
      if (error == EEXIST) return ChangeResult::TargetExists;
      if (error != EXDEV) return Fail(error);  // a bind mount: the same device, yet no rename
    }
    return CopyInto(to, name, attributes);
  }

  const std::string& Reason() const override { return reason_; }

 private:
  ChangeResult Fail(int error) {
    reason_ = Words(error);
    return ChangeResult::Failed;
  }

  // The name goes to a private name beside it, and only what holds that name
  // then is acted on: the checked file, in a folder that still lies at its
  // path. Anything else goes back to the name.
  ChangeResult Aside(std::string& aside) {
    aside = PrivateName();
    if (!RenameNoReplace(folder_.get(), name_, folder_.get(), aside)) return MissingOr(errno, Fail(errno));
    between_(ChangeStep::Renamed);
    struct stat now;
    const bool same = fstatat(folder_.get(), aside.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(now.st_mode) &&
                      now.st_dev == st_.st_dev && now.st_ino == st_.st_ino;
    if (same && FolderStillThere()) return ChangeResult::Done;
    RenameNoReplace(folder_.get(), aside, folder_.get(), name_);
    return ChangeResult::Changed;
  }

  bool FolderStillThere() const {
    const Descent again = DescendWithoutLinks(folderPath_, false);
    struct stat held, found;
    return again.kind == ReachedFolder::Kind::Ready && fstat(folder_.get(), &held) == 0 &&
           fstat(again.folder.get(), &found) == 0 && held.st_dev == found.st_dev && held.st_ino == found.st_ino;
  }

  // Across disks: a copy of what this descriptor reads, made only under a
  // free name, with the file's mode and times, flushed; then the original
  // removed as Remove does, or the copy goes again.
  ChangeResult CopyInto(PosixFolder& to, const std::string& name, std::uint32_t attributes) {
    Fd out(openat(to.fd(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.ok()) return errno == EEXIST ? ChangeResult::TargetExists : Fail(errno);
    // A flash disk's file system keeps no mode: the copy has what it can.
    const struct timespec times[2] = {st_.st_atim, st_.st_mtim};
    const bool copied = Copy(out.get()) && (fchmod(out.get(), st_.st_mode & 07777), true) &&
                        Succeeded(futimens(out.get(), times) == 0) && Succeeded(fsync(out.get()) == 0);
    ChangeResult result = ChangeResult::Failed;
    if (copied) {
      SetFatAttributes(out.get(), attributes);
      between_(ChangeStep::Copied);
      result = Remove();
    }
    if (result != ChangeResult::Done) unlinkat(to.fd(), name.c_str(), 0);
    return result;
  }

  bool Copy(int out) {
    char buf[1 << 16];
    for (off_t at = 0;;) {
      const ssize_t n = pread(file_.get(), buf, sizeof buf, at);
      if (n < 0 && errno == EINTR) continue;
      if (n == 0) return true;
      if (!Succeeded(n > 0) || !Succeeded(WriteAll(out, buf, static_cast<std::size_t>(n)))) return false;
      at += n;
    }
  }

  // The system's words kept for a step that failed.
  bool Succeeded(bool ok) {
    if (!ok) Fail(errno);
    return ok;
  }

  Fd folder_;
  std::string folderPath_;
  std::string name_;
  Fd file_;
  struct stat st_;
  const std::function<void(ChangeStep)>& between_;
  std::string reason_;
};

// Both leave errno as the failed call set it.
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

class PosixFileSystem final : public FileSystem {
 public:
  explicit PosixFileSystem(std::function<void(ChangeStep)> between) : between_(std::move(between)) {
    if (!between_) between_ = [](ChangeStep) {};
  }

  std::optional<FileIdentity> Identify(const std::string& path) override {
    Fd fd(OpenPath(path, kReadFlags));
    if (!fd.ok() && errno == EACCES) fd = Fd(OpenPath(path, O_PATH | O_NOFOLLOW));
    struct stat st;
    if (!fd.ok() || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return IdentityAt(st, path);
  }

  CheckedOpen OpenChecked(const std::string& path, const FileIdentity& identity) override {
    const std::string& where = identity.finalPath.empty() ? path : identity.finalPath;
    const std::string folder = FolderOf(where);
    std::string name = where.substr(folder.size());
    Descent reached = DescendWithoutLinks(folder, false);
    if (reached.kind == ReachedFolder::Kind::Link) return {ChangeResult::Changed, nullptr, ""};
    if (reached.kind != ReachedFolder::Kind::Ready)
      return {MissingOr(reached.error, reached.error == ENOTDIR ? ChangeResult::Changed : ChangeResult::Failed), nullptr,
              Words(reached.error)};
    Fd file(openat(reached.folder.get(), name.c_str(), kReadFlags));
    // Readable or not, a file can be deleted: its facts are all the check needs.
    if (!file.ok() && errno == EACCES) file = Fd(openat(reached.folder.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    if (!file.ok()) {
      // A link, a socket, a device without its driver: not the file found.
      const bool other = errno == ELOOP || errno == ENXIO || errno == ENODEV || errno == EOPNOTSUPP;
      return {MissingOr(errno, other ? ChangeResult::Changed : ChangeResult::Failed), nullptr, Words(errno)};
    }
    struct stat st;
    if (fstat(file.get(), &st) != 0) return {ChangeResult::Failed, nullptr, Words(errno)};
    if (!S_ISREG(st.st_mode) || !IdentityOf(st).SameFile(identity)) return {ChangeResult::Changed, nullptr, ""};
    auto checked = std::make_unique<PosixCheckedFile>(std::move(reached.folder), folder, std::move(name),
                                                      std::move(file), st, between_);
    between_(ChangeStep::Opened);
    return {ChangeResult::Done, std::move(checked), ""};
  }

  ReachedFolder ReachFolder(const std::string& path, FolderWay way) override {
    if (way == FolderWay::NoLinks) {
      Descent d = DescendWithoutLinks(path, true);
      if (d.kind != ReachedFolder::Kind::Ready) return {d.kind, nullptr, d.at + ": " + Words(d.error)};
      return {d.kind, std::make_unique<PosixFolder>(std::move(d.folder), path), ""};
    }
    Fd fd(OpenPath(path.empty() ? "." : path, O_RDONLY | O_DIRECTORY));
    if (!fd.ok()) return {ReachedFolder::Kind::Failed, nullptr, path + ": " + Words(errno)};
    return {ReachedFolder::Kind::Ready, std::make_unique<PosixFolder>(std::move(fd), path), ""};
  }

  bool MakeFolder(const std::string& path) override {
    const Reach at(path);
    if (at.ok() && mkdirat(at.Folder(), at.Name(), 0777) == 0) return true;
    struct stat st;
    return StatPath(path, st, 0) && S_ISDIR(st.st_mode);
  }

  bool AppendText(const std::string& path, const std::string& text, bool ownLine) override {
    Fd fd(OpenPath(path, O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0644));
    struct stat st;
    if (!fd.ok() || fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    char last = '\n';
    // Only the last byte tells: a file of thousands of lines is appended to as fast as an empty one.
    if (ownLine && st.st_size > 0 && pread(fd.get(), &last, 1, st.st_size - 1) != 1) return false;
    const std::string whole = last == '\n' ? text : "\r\n" + text;
    return WriteAll(fd.get(), whole.data(), whole.size()) && fsync(fd.get()) == 0;
  }

  TextRead ReadText(const std::string& path, std::size_t limit) override {
    Fd fd(OpenPath(path, kReadFlags));
    if (!fd.ok()) return {errno == ENOENT ? TextRead::Kind::Missing
                          : errno == ELOOP || errno == ENXIO ? TextRead::Kind::NotRegular
                                                             : TextRead::Kind::Failed, {}};
    struct stat st;
    if (fstat(fd.get(), &st) != 0) return {TextRead::Kind::Failed, {}};
    if (!S_ISREG(st.st_mode)) return {TextRead::Kind::NotRegular, {}};
    if (static_cast<std::uint64_t>(st.st_size) > limit) return {TextRead::Kind::TooLarge, {}};
    std::string out(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t done = 0;
    // Read to its end, which may have moved since: never past the bound.
    for (ssize_t n; (n = read(fd.get(), out.data() + done, out.size() - done)) != 0;) {
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return {TextRead::Kind::Failed, {}};
      done += static_cast<std::size_t>(n);
      if (done == out.size()) {
        if (out.size() >= limit) break;
        out.resize(std::min(limit, out.size() * 2 + 4096));
      }
    }
    out.resize(done);
    return {TextRead::Kind::Read, std::move(out)};
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

 private:
  std::function<void(ChangeStep)> between_;
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem system(nullptr);
  return system;
}

std::unique_ptr<FileSystem> SystemFileSystemWithSeam(std::function<void(ChangeStep)> between) {
  return std::make_unique<PosixFileSystem>(std::move(between));
}

}  // namespace tarvex::sys
