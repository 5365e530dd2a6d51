// Natively the attributes are those the listing reads (system/dos_attributes.h);
// they are changed through the vfat driver's ioctl, so on a FAT file system (a
// flash disk) only. Elsewhere nothing is changed.
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "system/attribute_files.h"

namespace tarvex::sys {

namespace {

constexpr std::uint32_t kFatBits = kAttrReadOnly | kAttrHidden | kAttrSystem;

// A descriptor for the ioctl; a link is not followed (vfat has none of its own).
class Entry {
 public:
  explicit Entry(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)) {}
  ~Entry() {
    if (fd_ >= 0) close(fd_);
  }
  Entry(const Entry&) = delete;
  Entry& operator=(const Entry&) = delete;

  std::optional<std::uint32_t> FatAttributes() const {
    __u32 a = 0;
    if (fd_ < 0 || ioctl(fd_, FAT_IOCTL_GET_ATTRIBUTES, &a) != 0) return std::nullopt;
    return a;
  }
  bool SetFatAttributes(std::uint32_t attributes) const {
    __u32 a = attributes;
    return fd_ >= 0 && ioctl(fd_, FAT_IOCTL_SET_ATTRIBUTES, &a) == 0;
  }

 private:
  int fd_;
};

class FatAttributeFiles final : public AttributeFiles {
 public:
  std::vector<DirEntry> Entries(const std::string& folder) override {
    std::vector<DirEntry> out;
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    // The listing carries the FAT bits already.
    for (DirEntry& e : ListDirectory(base, kAttrDirectory | kAttrHidden | kAttrSystem)) {
      if (e.name != "." && e.name != "..") out.push_back(std::move(e));
    }
    return out;
  }

  bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
    Entry entry(path);
    std::optional<std::uint32_t> fat = entry.FatAttributes();
    return fat && entry.SetFatAttributes((*fat & ~kFatBits) | (attributes & kFatBits));
  }

  bool IsVolumeRoot(const std::string& folder) override {
    struct stat self, parent;
    if (stat(folder.c_str(), &self) != 0 || stat((folder + "/..").c_str(), &parent) != 0) return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
  }
};

}  // namespace

AttributeFiles& SystemAttributeFiles() {
  static FatAttributeFiles files;
  return files;
}

}  // namespace tarvex::sys
