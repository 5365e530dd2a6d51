#pragma once
// The attribute bits of files and folders (system/files.h), read and changed
// entry by entry for the unhide. Natively these are the attributes a FAT
// file system (a flash disk mounted on Linux) keeps; elsewhere no entry has
// any beyond the directory bit.
#include <cstdint>
#include <string>
#include <vector>

#include "system/files.h"

namespace tarvex::sys {

class AttributeFiles {
 public:
  virtual ~AttributeFiles() = default;
  // Every entry of the folder, hidden and system ones included, without "."
  // and ".."; a link carries kAttrReparsePoint.
  virtual std::vector<DirEntry> Entries(const std::string& folder) = 0;
  virtual bool SetAttributes(const std::string& path, std::uint32_t attributes) = 0;
  // The root of a drive or of a mounted file system.
  virtual bool IsVolumeRoot(const std::string& folder) = 0;
};

AttributeFiles& SystemAttributeFiles();

}  // namespace tarvex::sys
