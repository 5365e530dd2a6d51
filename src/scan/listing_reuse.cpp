#include "scan/listing_reuse.h"

namespace tarvex {

std::vector<sys::DirEntry> ListingReuse::List(const std::string& pattern, std::uint32_t mask) {
  if (mask == kFolderListingMask) {
    entries_ = source_.List(pattern, mask);
    folder_ = pattern;
    return entries_;
  }
  // The files of the folder just listed: every name matches "*.*", and the
  // file mask lets everything through but folders.
  if (mask == kFileListingMask && !folder_.empty() && pattern == folder_ + "*.*") {
    std::vector<sys::DirEntry> files;
    for (sys::DirEntry& e : entries_) {
      if ((e.attributes & sys::kAttrDirectory) == 0) files.push_back(std::move(e));
    }
    folder_.clear();
    entries_.clear();
    return files;
  }
  return source_.List(pattern, mask);
}

}  // namespace tarvex
