#pragma once
// An open descriptor, and what identifies the file behind it: the native file
// layer's reads and changes take a file's identity from the descriptor they
// hold, never from its name.
#include <sys/stat.h>

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
// The same with the path the system keeps for the open descriptor; `given`
// when it keeps none it can tell (a path longer than a page).
FileIdentity IdentityOf(int fd, const struct stat& st, const std::string& given);

}  // namespace tarvex::sys
