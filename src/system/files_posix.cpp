// Stand-in for the native build: enough of the Win32 file layer for the
// portable code's tests, which use ordinary host paths.
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cstdio>
#include <new>

#include "system/files.h"

namespace tarvex::sys {

std::optional<std::int64_t> FileLength(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return std::nullopt;
  return static_cast<std::int64_t>(st.st_size);
}

std::optional<std::uint32_t> FileAttributes(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::nullopt;
  return S_ISDIR(st.st_mode) ? kAttrDirectory : kAttrArchive;
}

std::optional<std::vector<unsigned char>> ReadWholeFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::optional<std::vector<unsigned char>> result;
  struct stat st;
  if (fstat(fileno(f), &st) == 0 && !S_ISDIR(st.st_mode) && st.st_size < 0x80000000LL) {
    try {
      std::vector<unsigned char> buf(static_cast<size_t>(st.st_size));
      if (std::fread(buf.data(), 1, buf.size(), f) == buf.size()) result = std::move(buf);
    } catch (const std::bad_alloc&) {
      // No room for the whole file: it cannot be read, like any other failure.
    }
  }
  std::fclose(f);
  return result;
}

std::vector<DirEntry> ListDirectory(const std::string& pattern, std::uint32_t mask) {
  std::vector<DirEntry> out;
  std::string::size_type slash = pattern.find_last_of('/');
  std::string dir = slash == std::string::npos ? "." : pattern.substr(0, slash);
  std::string wild = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  if (wild == "*.*") wild = "*";
  DIR* d = opendir(dir.c_str());
  if (!d) return out;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (fnmatch(wild.c_str(), name.c_str(), 0) != 0) continue;
    auto attrs = FileAttributes(dir + "/" + name);
    if (!attrs) continue;
    if ((*attrs & kAttrDirectory) && !(mask & kAttrDirectory)) continue;
    out.push_back({name, *attrs});
  }
  closedir(d);
  return out;
}

}  // namespace tarvex::sys
