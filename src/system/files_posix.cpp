// The file layer of the native build, over the host's own folders: the test
// suite's stand-in for the Win32 layer, and the real thing for a scanner that
// runs on the host.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include "system/dos_attributes.h"
#include "system/files.h"

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

}  // namespace

std::optional<std::int64_t> FileLength(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<std::int64_t>(st.st_size);
}

// Attributes in the Windows sense. A link is described by what it points to,
// with the reparse bit that Windows gives its links, so that the walk does not
// follow a link to a folder. Pipes, sockets and devices hold no content to
// check (and a pipe would block the read): they have no attributes here.
std::optional<std::uint32_t> FileAttributes(const std::string& path) {
  struct stat own;
  if (lstat(path.c_str(), &own) != 0) return std::nullopt;
  struct stat target = own;
  std::uint32_t link = 0;
  if (S_ISLNK(own.st_mode)) {
    if (stat(path.c_str(), &target) != 0) return std::nullopt;  // a dangling link
    link = kAttrReparsePoint;
  }
  if (S_ISDIR(target.st_mode)) return kAttrDirectory | link;
  if (S_ISREG(target.st_mode)) return kAttrArchive | link;
  return std::nullopt;
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
  DIR* d = opendir(dir.c_str());
  if (!d) return out;
  const bool kept = dos.Kept(dir);
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (fnmatch(wild.c_str(), name.c_str(), 0) != 0) continue;
    auto attrs = FileAttributes(dir + kPathSeparator + name);
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
