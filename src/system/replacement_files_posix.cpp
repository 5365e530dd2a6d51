// Stand-in for the native build: the same operations over POSIX files, so the
// update's tests run on real files here too.
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "system/replacement_files.h"
#include "system/files.h"

namespace tarvex::sys {

namespace {

bool WriteAll(int fd, const std::vector<unsigned char>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::int64_t Nanoseconds(const struct stat& st) {
  return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

class PosixReplacementFiles : public ReplacementFiles {
 public:
  std::vector<FoundFile> Find(const std::string& folder, const std::string& pattern) override {
    std::vector<FoundFile> out;
    DIR* d = opendir(folder.c_str());
    if (!d) return out;
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (fnmatch(pattern.c_str(), name.c_str(), 0) != 0) continue;
      std::string path = folder + "/" + name;
      struct stat st;
      if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      out.push_back({path, name, Nanoseconds(st)});
    }
    closedir(d);
    return out;
  }

  std::optional<std::int64_t> Length(const std::string& path) override { return FileLength(path); }

  std::optional<std::int64_t> LastWrite(const std::string& path) override {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return std::nullopt;
    return Nanoseconds(st);
  }

  std::optional<std::vector<unsigned char>> Read(const std::string& path) override { return ReadWholeFile(path); }

  bool WriteFlushed(const std::string& path, const std::vector<unsigned char>& bytes) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
  }

  bool MoveReplacing(const std::string& replacement, const std::string& target) override {
    if (std::rename(replacement.c_str(), target.c_str()) != 0) return false;
    // The rename itself lives in the folder: flush that too.
    int dir = ::open((FolderOf(target) + ".").c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
    return true;
  }

  void Remove(const std::string& path) override { ::unlink(path.c_str()); }
};

}  // namespace

ReplacementFiles& SystemReplacementFiles() {
  static PosixReplacementFiles files;
  return files;
}

std::optional<std::string> DownloadsFolder() {
  const char* home = std::getenv("HOME");
  if (!home || !*home) return std::nullopt;
  return std::string(home) + "/Downloads";
}

}  // namespace tarvex::sys
