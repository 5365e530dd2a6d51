#pragma once
// The walk lists every folder twice in a row, first everything (for its
// subfolders) and then the files, with nothing happening in between. A
// listing costs a trip through the file system for every name; the second
// one is the first with the folders left out.
#include <optional>
#include <string>
#include <vector>

#include "scan/folder_walk.h"

namespace tarvex {

class ListingReuse : public DirectorySource {
 public:
  explicit ListingReuse(DirectorySource& source) : source_(source) {}

  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override;
  char Separator() const override { return source_.Separator(); }
  std::optional<std::string> FolderIdentity(const std::string& folder) override {
    return source_.FolderIdentity(folder);
  }

 private:
  DirectorySource& source_;
  std::string folder_;  // the folder whose full listing is kept; empty when none is
  std::vector<sys::DirEntry> entries_;
};

}  // namespace tarvex
