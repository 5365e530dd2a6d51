#include "system/reach_posix.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

namespace tarvex::sys {

namespace {
// Well below PATH_MAX, and far above the longest name (255 bytes).
constexpr std::size_t kPiece = PATH_MAX / 2;
}  // namespace

Reach::Reach(const std::string& path) : folder_(AT_FDCWD), name_(path) {
  if (path.size() < PATH_MAX) return;
  std::size_t last = path.find_last_of('/');
  while (last > 0 && last + 1 == path.size()) last = path.find_last_of('/', last - 1);  // "a/b/" names b
  const std::string folder = path.substr(0, last + 1);
  name_ = path.substr(last + 1);
  std::size_t start = 0;
  while (start < folder.size()) {
    // Each piece ends at a separator, within kPiece bytes of its start.
    std::size_t end = folder.size();
    if (end - start > kPiece) end = folder.rfind('/', start + kPiece) + 1;
    if (end <= start) end = folder.find('/', start) + 1;  // a piece of one overlong name: let the system refuse it
    const std::string piece = folder.substr(start, end - start);
    const int next = openat(folder_, piece.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder_ != AT_FDCWD) close(folder_);
    folder_ = next;
    if (next == -1) return;
    start = end;
  }
  if (!name_.empty() && name_.back() == '/') name_.pop_back();
}

Reach::~Reach() {
  if (folder_ >= 0) close(folder_);
}

}  // namespace tarvex::sys
