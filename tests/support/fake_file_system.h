#pragma once
// Files and folders in memory, with Windows paths, failing where the test says;
// every change is written to a journal.
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
    return sys::FileIdentity{1, it->second.index, static_cast<std::int64_t>(it->second.content.size()), 0, path};
  }
  sys::CheckedOpen OpenChecked(const std::string& path, const sys::FileIdentity& identity) override {
    if (unsearchable.count(FolderOf(path))) return {sys::ChangeResult::Failed, nullptr, "Permission denied"};
    if (!files.count(path)) return {sys::ChangeResult::Gone, nullptr, ""};
    if (!Identify(path)->SameFile(identity)) return {sys::ChangeResult::Changed, nullptr, ""};
    return {sys::ChangeResult::Done, std::make_unique<Checked>(*this, path), ""};
  }
  sys::ReachedFolder ReachFolder(const std::string& path, sys::FolderWay way) override {
    const std::string folder = Trimmed(path);
    // A restore's way: each folder from the drive on, none a link, missing ones made.
    for (std::size_t at = 0; way == sys::FolderWay::NoLinks && at != std::string::npos;) {
      at = folder.find('\\', at + 1);
      const std::string step = folder.substr(0, at);
      if (links.count(step)) return {sys::ReachedFolder::Kind::Link, nullptr, step + ": a link"};
      if (step.size() > 2 && !folders.count(step)) MakeFolder(step);
    }
    if (!folders.count(folder)) return {sys::ReachedFolder::Kind::Failed, nullptr, folder + ": not found"};
    return {sys::ReachedFolder::Kind::Ready, std::make_unique<sys::OpenFolder>(folder + "\\"), ""};
  }
  bool MakeFolder(const std::string& path) override {
    journal.push_back("folder " + path);
    folders.insert(Trimmed(path));
    return true;
  }
  bool AppendText(const std::string& path, const std::string& text, bool ownLine) override {
    journal.push_back("append " + path + " " + text);
    if (!folders.count(FolderOf(path)) || readOnly.count(path)) return false;
    std::string& content = files[path].content;
    content += (ownLine && !content.empty() && content.back() != '\n' ? "\r\n" : "") + text;
    return true;
  }
  sys::TextRead ReadText(const std::string& path, std::size_t limit) override {
    if (!files.count(path)) return {sys::TextRead::Kind::Missing, {}};
    if (files[path].content.size() > limit) return {sys::TextRead::Kind::TooLarge, {}};
    return {sys::TextRead::Kind::Read, files[path].content};
  }
  std::vector<std::string> FileNames(const std::string& folder) override {
    std::vector<std::string> names;
    for (const auto& [path, file] : files)
      if (FolderOf(path) == Trimmed(folder)) names.push_back(path.substr(path.find_last_of('\\') + 1));
    return names;
  }
  bool Gone(const std::string& path) override {
    return !files.count(path) && !folders.count(Trimmed(path)) && !unsearchable.count(FolderOf(path));
  }

  static std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
  static std::string Trimmed(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
  }

  std::map<std::string, File> files;
  std::set<std::string> folders;
  std::set<std::string> inUse;            // delete and move fail
  std::set<std::string> stuckAttributes;  // the attribute reset fails
  std::set<std::string> readOnly;         // cannot be appended to
  std::set<std::string> links;            // folders that are links
  std::set<std::string> unsearchable;     // folders whose names cannot be looked up
  bool dieOnMove = false;                 // the program ends in the middle of a move
  std::vector<std::string> journal;

 private:
  // The file found, its attributes cleared as the real file systems do before they act.
  class Checked final : public sys::CheckedFile {
   public:
    Checked(FakeFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)), attributes_(fs.files[path_].attributes) {}
    std::uint32_t Attributes() const override { return attributes_; }
    bool ReadAll(const std::function<void(std::string_view)>& take) override {
      if (!fs_.files.count(path_)) return false;
      take(fs_.files[path_].content);
      return true;
    }
    sys::ChangeResult Remove() override {
      Clear();
      fs_.journal.push_back("delete " + path_);
      if (fs_.inUse.count(path_) || (fs_.files[path_].attributes & sys::kAttrReadOnly)) return Failed();
      fs_.files.erase(path_);
      return sys::ChangeResult::Done;
    }
    sys::ChangeResult MoveInto(sys::OpenFolder& folder, const std::string& name, std::uint32_t attributes) override {
      Clear();
      const std::string to = folder.Path() + name;
      fs_.journal.push_back("move " + path_ + " > " + to);
      if (fs_.dieOnMove) throw std::runtime_error("the program ends here");
      if (fs_.files.count(to)) return sys::ChangeResult::TargetExists;
      if (fs_.inUse.count(path_) || !fs_.folders.count(FolderOf(to))) return Failed();
      fs_.files[to] = fs_.files[path_];
      fs_.files.erase(path_);
      if (attributes) fs_.files[to].attributes = attributes;
      return sys::ChangeResult::Done;
    }
    const std::string& Reason() const override { return reason_; }

   private:
    void Clear() {
      fs_.journal.push_back("normal " + path_);
      if (!fs_.stuckAttributes.count(path_)) fs_.files[path_].attributes = sys::kAttrNormal;
    }
    sys::ChangeResult Failed() {
      reason_ = "in use";
      return sys::ChangeResult::Failed;
    }
    FakeFileSystem& fs_;
    std::string path_;
    std::uint32_t attributes_;
    std::string reason_;
  };

  std::uint64_t lastIndex_ = 0;
};

}  // namespace tarvex::testing
