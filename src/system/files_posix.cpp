// The file layer of the native build, over the host's own folders: the test
// suite's stand-in for the Win32 layer, and the real thing for a scanner that
// runs on the host.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "system/dos_attributes.h"
#include "system/files.h"
#include "system/reach_posix.h"

namespace tarvex::sys {

namespace {

// The wildcards of the Windows listing are "*" and "?" only: brackets and
// backslashes in a name stand for themselves.
std::string WindowsWildcard(const std::string& pattern) {
  std::string out;
  for (char c : pattern) {
    if (c == '[' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

// Attributes in the Windows sense of the entry `name` in the folder `dir`.
// A link is described by what it points to, with the reparse bit that
// Windows gives its links, so that the walk does not follow a link to a
// folder. Pipes, sockets and devices hold no content to check (and a pipe
// would block the read): they have no attributes here.
std::optional<std::uint32_t> AttributesAt(int dir, const char* name, int& error) {
  struct stat own;
  if (fstatat(dir, name, &own, AT_SYMLINK_NOFOLLOW) != 0) {
    error = errno;
    return std::nullopt;
  }
  struct stat target = own;
  std::uint32_t link = 0;
  if (S_ISLNK(own.st_mode)) {
    if (fstatat(dir, name, &target, 0) != 0) return std::nullopt;  // a dangling link
    link = kAttrReparsePoint;
  }
  if (S_ISDIR(target.st_mode)) return kAttrDirectory | link;
  if (S_ISREG(target.st_mode)) return kAttrArchive | link;
  return std::nullopt;
}

}  // namespace

std::optional<std::int64_t> FileLength(const std::string& path) {
  const Reach at(path);
  struct stat st;
  if (!at.ok() || fstatat(at.Folder(), at.Name(), &st, 0) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::uint32_t> FileAttributes(const std::string& path) {
  const Reach at(path);
  int error = 0;
  return at.ok() ? AttributesAt(at.Folder(), at.Name(), error) : std::nullopt;
}

std::optional<std::string> FolderIdentity(const std::string& folder) {
  const Reach at(folder);
  struct stat st;
  if (!at.ok() || fstatat(at.Folder(), at.Name(), &st, 0) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
  return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

std::vector<DirEntry> ListDirectory(const std::string& pattern, std::uint32_t mask) {
  return ListDirectory(pattern, mask, SystemDosAttributes());
}

std::vector<DirEntry> ListDirectory(const std::string& pattern, std::uint32_t mask, DosAttributes& dos) {
  constexpr std::uint32_t kDosBits = kAttrReadOnly | kAttrHidden | kAttrSystem;
  constexpr std::uint32_t kMaskable = kAttrHidden | kAttrSystem | kAttrDirectory;
  std::vector<DirEntry> out;
  std::string::size_type slash = pattern.find_last_of(kPathSeparator);
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : pattern.substr(0, slash);
  const std::string given = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  // "*.*" matches every name on Windows, with or without a dot; so does a
  // folder path ending in the separator.
  const std::string wild = given.empty() || given == "*.*" ? std::string("*") : WindowsWildcard(given);
  // Relative to the open folder: no path length keeps a name from being looked at.
  const Reach at(dir);
  const int fd = at.ok() ? openat(at.Folder(), at.Name(), O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1;
  DIR* d = fd >= 0 ? fdopendir(fd) : nullptr;
  if (!d) {
    if (fd >= 0) close(fd);
    return out;
  }
  const bool kept = dos.Kept(dir);
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (fnmatch(wild.c_str(), name.c_str(), 0) != 0) continue;
    int error = 0;
    auto attrs = AttributesAt(dirfd(d), name.c_str(), error);
    if (error == EACCES) {
      // Readable but not searchable: its names are known, nothing behind
      // them is. Listed as nothing, it is told as a folder that cannot be read.
      out.clear();
      break;
    }
    if (!attrs) continue;
    if (kept && !(*attrs & kAttrReparsePoint)) {
      if (std::optional<std::uint32_t> bits = dos.Read(dir + kPathSeparator + name)) *attrs |= *bits & kDosBits;
    }
    if ((*attrs & kMaskable & ~mask) != 0) continue;
    out.push_back({name, *attrs});
  }
  closedir(d);
  return out;
}

}  // namespace tarvex::sys
