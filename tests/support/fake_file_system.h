#pragma once
// Files and folders in memory, with Windows paths, failing where the test says;
// every operation is written to a journal.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "system/file_system.h"
#include "system/files.h"

namespace tarvex::testing {

class FakeFileSystem : public sys::FileSystem {
 public:
  struct File {
    std::string content;
    std::uint32_t attributes = sys::kAttrArchive;
  };

  FakeFileSystem& Add(const std::string& path, std::string content = "virus",
                      std::uint32_t attributes = sys::kAttrArchive) {
    files[path] = {std::move(content), attributes};
    folders.insert(FolderOf(path));
    return *this;
  }

  bool SetNormalAttributes(const std::string& path) override {
    journal.push_back("normal " + path);
    auto it = files.find(path);
    if (it == files.end() || stuckAttributes.count(path)) return false;
    it->second.attributes = sys::kAttrNormal;
    return true;
  }
  bool Remove(const std::string& path) override {
    journal.push_back("delete " + path);
    auto it = files.find(path);
    if (it == files.end() || inUse.count(path) || (it->second.attributes & sys::kAttrReadOnly)) return false;
    files.erase(it);
    return true;
  }
  sys::MoveResult Move(const std::string& from, const std::string& to) override {
    journal.push_back("move " + from + " > " + to);
    if (files.count(to)) return sys::MoveResult::TargetExists;
    auto it = files.find(from);
    if (it == files.end() || inUse.count(from) || !folders.count(FolderOf(to))) return sys::MoveResult::Failed;
    files[to] = it->second;
    files.erase(from);
    return sys::MoveResult::Moved;
  }
  bool MakeFolder(const std::string& path) override {
    journal.push_back("folder " + path);
    folders.insert(path.back() == '\\' ? path.substr(0, path.size() - 1) : path);
    return true;
  }
  bool AppendText(const std::string& path, const std::string& text) override {
    journal.push_back("append " + path + " " + text);
    if (!folders.count(FolderOf(path))) return false;
    files[path].content += text;
    return true;
  }
  std::optional<std::string> VisibleFileName(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end() || (it->second.attributes & (sys::kAttrHidden | sys::kAttrSystem))) return std::nullopt;
    return path.substr(path.find_last_of('\\') + 1);
  }

  bool Gone(const std::string& path) override { return !files.count(path) && !folders.count(path); }

  static std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

  std::map<std::string, File> files;
  std::set<std::string> folders;
  std::set<std::string> inUse;            // delete and move fail
  std::set<std::string> stuckAttributes;  // the attribute reset fails
  std::vector<std::string> journal;
};

}  // namespace tarvex::testing
