// Where Linux shows the bits: the vfat driver through its FAT ioctl (exfat
// answers the same ioctl in recent kernels); ntfs-3g and the kernel's ntfs3
// both as the extended attribute "system.ntfs_attrib_be", the NTFS attribute
// word in big-endian order.
#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/statfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "system/dos_attributes.h"

namespace tarvex::sys {

namespace {

// The file systems that may hold the bits: FAT, exFAT, NTFS (ntfs3) and FUSE,
// through which ntfs-3g and exfat-fuse mount.
constexpr long kExfatMagic = 0x2011BAB0;
constexpr long kNtfsMagic = 0x5346544E;
constexpr long kFuseMagic = 0x65735546;

std::optional<std::uint32_t> NtfsAttributeWord(const std::string& path) {
  unsigned char word[4];
  if (lgetxattr(path.c_str(), "system.ntfs_attrib_be", word, sizeof word) != sizeof word) return std::nullopt;
  return std::uint32_t{word[0]} << 24 | std::uint32_t{word[1]} << 16 | std::uint32_t{word[2]} << 8 | word[3];
}

std::optional<std::uint32_t> FatAttributeByte(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  __u32 bits = 0;
  const bool read = ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &bits) == 0;
  close(fd);
  return read ? std::optional<std::uint32_t>(bits) : std::nullopt;
}

class SystemDos final : public DosAttributes {
 public:
  bool Kept(const std::string& folder) override {
    struct statfs fs;
    type_ = statfs(folder.c_str(), &fs) == 0 ? static_cast<long>(fs.f_type) : 0;
    return FatFamily() || type_ == kNtfsMagic || type_ == kFuseMagic;
  }
  // Each driver is asked its own way only: an open per entry would cost a
  // round trip on every other FUSE mount.
  std::optional<std::uint32_t> Read(const std::string& path) override {
    return FatFamily() ? FatAttributeByte(path) : NtfsAttributeWord(path);
  }

 private:
  bool FatFamily() const { return type_ == MSDOS_SUPER_MAGIC || type_ == kExfatMagic; }
  long type_ = 0;
};

}  // namespace

DosAttributes& SystemDosAttributes() {
  static SystemDos attributes;
  return attributes;
}

}  // namespace tarvex::sys
