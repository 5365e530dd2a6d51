#pragma once
// An in-memory folder tree that answers the walk's listings the way the
// system's listing does, in the order the entries were added.
#include <map>
#include <string>
#include <vector>

#include "scan/folder_walk.h"

namespace tarvex::testing {

class FakeTree : public DirectorySource {
 public:
  // A Windows tree, on every build.
  char Separator() const override { return '\\'; }

  // `folder` ends in a backslash, e.g. "C:\Data\".
  FakeTree& File(const std::string& folder, const std::string& name, std::uint32_t attrs = sys::kAttrArchive) {
    Entries(folder).push_back({name, attrs});
    return *this;
  }
  FakeTree& Folder(const std::string& folder, const std::string& name, std::uint32_t attrs = 0) {
    Entries(folder).push_back({name, attrs | sys::kAttrDirectory});
    Entries(folder + name + "\\");
    return *this;
  }

  // Gone, as another program deletes it.
  void Remove(const std::string& folder, const std::string& name) {
    std::erase_if(Entries(folder), [&](const sys::DirEntry& e) { return e.name == name; });
  }

  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    listings.push_back(pattern);
    std::string folder = pattern.substr(0, pattern.find_last_of('\\') + 1);
    std::vector<sys::DirEntry> out;
    auto it = tree_.find(folder);
    if (it == tree_.end()) return out;
    std::vector<sys::DirEntry> all = {{".", sys::kAttrDirectory}, {"..", sys::kAttrDirectory}};
    all.insert(all.end(), it->second.begin(), it->second.end());
    const std::uint32_t maskable = sys::kAttrHidden | sys::kAttrSystem | sys::kAttrDirectory;
    for (const sys::DirEntry& e : all) {
      if ((e.attributes & maskable & ~mask) == 0) out.push_back(e);
    }
    return out;
  }

  std::vector<std::string> listings;

 private:
  std::vector<sys::DirEntry>& Entries(const std::string& folder) { return tree_[folder]; }
  std::map<std::string, std::vector<sys::DirEntry>> tree_;
};

}  // namespace tarvex::testing
