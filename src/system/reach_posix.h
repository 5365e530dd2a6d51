#pragma once
// A path of any length, as the *at calls take it: the system takes at most
// PATH_MAX bytes at once, so the folder of a longer path is opened piece by
// piece, each piece relative to the folder opened before it.
#include <string>

namespace tarvex::sys {

class Reach {
 public:
  explicit Reach(const std::string& path);
  ~Reach();
  Reach(const Reach&) = delete;
  Reach& operator=(const Reach&) = delete;

  // The folder to resolve `Name()` in (AT_FDCWD for a short path); -1 when
  // a folder on the way could not be opened.
  int Folder() const { return folder_; }
  const char* Name() const { return name_.c_str(); }
  bool ok() const { return folder_ != -1; }

 private:
  int folder_;
  std::string name_;
};

}  // namespace tarvex::sys
