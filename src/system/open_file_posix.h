#pragma once
// An open descriptor, and what identifies the file behind it: the native file
// layer's reads and changes take a file's identity from the descriptor they
// hold, never from its name.
#include <sys/stat.h>

#include <optional>
#include <string>
#include <utility>

#include "system/file_identity.h"

namespace tarvex::sys {

// A descriptor closed with its scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Fd& operator=(Fd&& other) noexcept;
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd();
  int get() const { return fd_; }
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

// The identity `st` describes, without a final path.
FileIdentity IdentityOf(const struct stat& st);
// The same with `path`'s final path (its folder's links resolved; the path as
// given when it cannot be), only when `path` still leads to that file.
std::optional<FileIdentity> IdentityAt(const struct stat& st, const std::string& path);

}  // namespace tarvex::sys
