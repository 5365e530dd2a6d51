#pragma once
// The deepest chain of one-letter folders (root/a/a/.../a) this system lets a
// program make, up to a given depth, with one file in its deepest folder.
// Made and removed relative to open folders (natively) or in the long-path
// form (Windows), since no ordinary path reaches that deep.
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <filesystem>


namespace tarvex::testing {

class DeepChain {
 public:
  DeepChain(const std::string& root, std::size_t most, const std::string& name, const std::string& content)
      : root_(root) {
#ifdef _WIN32
    std::wstring path = L"\\\\?\\" + std::filesystem::absolute(std::filesystem::u8path(root)).wstring();
    while (levels_ < most && CreateDirectoryW((path + L"\\a").c_str(), nullptr)) {
      path += L"\\a";
      ++levels_;
    }
    // The file's name may not fit where the last folder did.
    for (; levels_ > 0; --levels_, path.resize(path.size() - 2)) {
      HANDLE h = CreateFileW((path + L"\\" + std::filesystem::u8path(name).wstring()).c_str(), GENERIC_WRITE, 0,
                             nullptr, CREATE_NEW, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE) continue;
      DWORD written = 0;
      WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
      CloseHandle(h);
      break;
    }
#else
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (; levels_ < most && fd >= 0 && mkdirat(fd, "a", 0755) == 0; ++levels_) {
      const int next = openat(fd, "a", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      close(fd);
      fd = next;
    }
    const int file = fd >= 0 ? openat(fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644) : -1;
    if (file >= 0) {
      if (write(file, content.data(), content.size()) < 0) levels_ = 0;
      close(file);
    }
    if (fd >= 0) close(fd);
#endif
    const char separator = std::filesystem::path::preferred_separator;
    deepest_ = root;
    for (std::size_t i = 0; i < levels_; ++i) deepest_ += std::string(1, separator) + "a";
    deepest_ += separator;
  }

  // Cut into pieces short enough for the ordinary calls, which remove them.
  ~DeepChain() {
    std::size_t cuts = 0;
#ifdef _WIN32
    constexpr std::size_t kPiece = 50;
    const std::wstring root = L"\\\\?\\" + std::filesystem::absolute(std::filesystem::u8path(root_)).wstring();
    std::wstring top = root + L"\\a";
    for (std::size_t level = kPiece; level < levels_; level += kPiece) {
      std::wstring below = top;
      for (std::size_t i = 0; i < kPiece; ++i) below += L"\\a";
      const std::wstring cut = root + L"\\cut" + std::to_wstring(++cuts);
      if (!MoveFileW(below.c_str(), cut.c_str())) break;
      top = cut;
    }
#else
    constexpr std::size_t kPiece = 1000;
    const int rootFd = open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int fd = openat(rootFd, "a", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (std::size_t level = 1; fd >= 0 && level < levels_; ++level) {
      if (level % kPiece == 0) {
        const std::string cut = "cut" + std::to_string(++cuts);
        renameat(fd, "a", rootFd, cut.c_str());
        close(fd);
        fd = openat(rootFd, cut.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        continue;
      }
      const int next = openat(fd, "a", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      close(fd);
      fd = next;
    }
    if (fd >= 0) close(fd);
    close(rootFd);
#endif
    std::error_code ec;
    for (const auto& piece : std::filesystem::directory_iterator(std::filesystem::u8path(root_), ec))
      std::filesystem::remove_all(piece.path(), ec);
  }
  DeepChain(const DeepChain&) = delete;
  DeepChain& operator=(const DeepChain&) = delete;

  std::size_t Levels() const { return levels_; }
  // The deepest folder, ending in the separator.
  const std::string& Deepest() const { return deepest_; }

 private:
  std::string root_;
  std::size_t levels_ = 0;
  std::string deepest_;
};

}  // namespace tarvex::testing
