#pragma once
// A real file holding one fuzz input, removed when the input is done. It lives
// in memory (/dev/shm) where there is one: on disk, writing a file for every
// input slows the run down tenfold.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tarvex::fuzz {

class ScratchFile {
 public:
  ScratchFile(const unsigned char* data, std::size_t size) : path_(Folder() + "/tarvex_fuzz_" + std::to_string(getpid())) {
    std::FILE* f = std::fopen(path_.c_str(), "wb");
    if (!f) return;
    bool wrote = size == 0 || std::fwrite(data, 1, size, f) == size;
    ok_ = std::fclose(f) == 0 && wrote;
  }
  ~ScratchFile() { std::remove(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }

 private:
  static std::string Folder() {
    if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
    const char* dir = std::getenv("TMPDIR");
    return dir && *dir ? dir : "/tmp";
  }

  std::string path_;
  bool ok_ = false;
};

}  // namespace tarvex::fuzz
