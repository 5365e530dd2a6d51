#pragma once
// Files and folders in memory, with Windows paths, failing where the test says;
// every operation is written to a journal.
#include <map>
#include <set>
#include <stdexcept>
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
    std::uint64_t index = 0;  // a new file, a new index
  };

  FakeFileSystem& Add(const std::string& path, std::string content = "virus",
                      std::uint32_t attributes = sys::kAttrArchive) {
    files[path] = {std::move(content), attributes, ++lastIndex_};
    folders.insert(FolderOf(path));
    return *this;
  }

  std::optional<sys::FileIdentity> Identify(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end()) return std::nullopt;
    return sys::FileIdentity{1, it->second.index, static_cast<std::int64_t>(it->second.content.size()), 0};
  }
  sys::ChangeResult RemoveChecked(const std::string& path, const sys::FileIdentity& identity) override {
    const sys::ChangeResult checked = Check(path, identity);
    journal.push_back("delete " + path);
    if (checked != sys::ChangeResult::Done) return checked;
    if (inUse.count(path) || (files[path].attributes & sys::kAttrReadOnly)) return sys::ChangeResult::Failed;
    files.erase(path);
    return sys::ChangeResult::Done;
  }
  sys::ChangeResult MoveChecked(const std::string& from, const sys::FileIdentity& identity,
                                const std::string& to) override {
    const sys::ChangeResult checked = Check(from, identity);
    journal.push_back("move " + from + " > " + to);
    if (dieOnMove) throw std::runtime_error("the program ends here");
    if (checked != sys::ChangeResult::Done) return checked;
    if (files.count(to)) return sys::ChangeResult::TargetExists;
    if (inUse.count(from) || !folders.count(FolderOf(to))) return sys::ChangeResult::Failed;
    files[to] = files[from];
    files.erase(from);
    return sys::ChangeResult::Done;
  }
  std::optional<std::uint32_t> Attributes(const std::string& path) override {
    return files.count(path) ? std::optional(files[path].attributes) : std::nullopt;
  }
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
    return files.count(path) && (files[path].attributes = attributes, true);
  }
  bool MakeFolder(const std::string& path) override {
    journal.push_back("folder " + path);
    folders.insert(Trimmed(path));
    return true;
  }
  bool AppendText(const std::string& path, const std::string& text) override {
    journal.push_back("append " + path + " " + text);
    if (!folders.count(FolderOf(path))) return false;
    files[path].content += text;
    return true;
  }
  std::optional<std::string> Read(const std::string& path) override {
    return files.count(path) ? std::optional(files[path].content) : std::nullopt;
  }
  std::optional<std::string> ReadTail(const std::string& path, std::size_t count) override {
    const std::string* whole = files.count(path) ? &files[path].content : nullptr;
    return whole ? std::optional(whole->substr(whole->size() - std::min(count, whole->size()))) : std::nullopt;
  }
  std::vector<std::string> FileNames(const std::string& folder) override {
    std::vector<std::string> names;
    for (const auto& [path, file] : files)
      if (FolderOf(path) == Trimmed(folder)) names.push_back(path.substr(path.find_last_of('\\') + 1));
    return names;
  }
  bool Gone(const std::string& path) override { return !files.count(path) && !folders.count(Trimmed(path)); }

  static std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
  static std::string Trimmed(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
  }

  std::map<std::string, File> files;
  std::set<std::string> folders;
  std::set<std::string> inUse;            // delete and move fail
  std::set<std::string> stuckAttributes;  // the attribute reset fails
  bool dieOnMove = false;                 // the program ends in the middle of a move
  std::vector<std::string> journal;

 private:
  // The file found, its attributes cleared as the real file systems do once it is known.
  sys::ChangeResult Check(const std::string& path, const sys::FileIdentity& identity) {
    auto it = files.find(path);
    if (it == files.end()) return sys::ChangeResult::Gone;
    if (Identify(path) != identity) return sys::ChangeResult::Changed;
    journal.push_back("normal " + path);
    if (!stuckAttributes.count(path)) it->second.attributes = sys::kAttrNormal;
    return sys::ChangeResult::Done;
  }

  std::uint64_t lastIndex_ = 0;
};

}  // namespace tarvex::testing
