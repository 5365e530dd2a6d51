#pragma once
// The hidden, system and read-only bits that the Windows file systems keep,
// as Linux shows them for a flash disk or a Windows drive it has mounted: the
// native listing adds them to each entry, so that a scan there sees what the
// worm hid as Windows does.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "system/files.h"

namespace tarvex::sys {

class DosAttributes {
 public:
  virtual ~DosAttributes() = default;
  // Whether the file system holding `folder` may keep such bits at all:
  // asked once per listing, so a folder of a Linux file system costs one look.
  virtual bool Kept(const std::string& folder) = 0;
  // The bits of one entry of the folder last asked about; no value when its
  // file system shows none.
  virtual std::optional<std::uint32_t> Read(const std::string& path) = 0;
};

// The FAT attribute ioctl of the vfat driver (and of exfat where it answers
// it), and the attribute word NTFS drivers show as an extended attribute.
DosAttributes& SystemDosAttributes();

// ListDirectory with the bits `attributes` gives: an entry's hidden, system
// and read-only bits are added before the mask is applied, as the Windows
// listing applies it.
std::vector<DirEntry> ListDirectory(const std::string& pattern, std::uint32_t mask, DosAttributes& attributes);

}  // namespace tarvex::sys
