// The shortcut rules through the native scan, as the Linux rescue runs it:
// the flash disk of support/shortcut_stick.h on a Linux disk, with the
// shortcuts the system's shell made for it (tests/signatures/shortcuts/) and
// its hidden and system bits as the FAT driver shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "scan/two_pass_scan.h"
#include "signatures/temp_files.h"
#include "support/detection_samples.h"
#include "support/shortcut_stick.h"
#include "system/console.h"
#include "system/dos_attributes.h"
#include "system/file_read.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

std::string Slashed(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

class StickOnDisk : public sys::DosAttributes, public DirectorySource {
 public:
  explicit StickOnDisk(const testing::TempFolder& tmp) : root_(tmp.Folder() + "/") {
    for (const testing::ShortcutCase& c : testing::ShortcutCases()) {
      const std::string folder = root_ + c.folder + "/";
      fs::create_directories(folder);
      for (const testing::StickFile& f : c.files) {
        std::string path = folder + Slashed(f.path);
        fs::create_directories(fs::path(path).parent_path());
        if (path.back() == '/') path.pop_back();
        else tmp.Write(path.substr(root_.size()), testing::ContentOf(f));
        bits_[path] = f.attributes;
      }
      for (const testing::StickShortcut& s : c.shortcuts) {
        fs::copy_file(std::string(TARVEX_SHORTCUT_FIXTURES) + "/" + c.folder + "/" + s.name, folder + s.name);
      }
    }
  }
  const std::string& Root() const { return root_; }

  bool Kept(const std::string&) override { return true; }
  std::optional<std::uint32_t> Read(const std::string& path) override {
    const auto it = bits_.find(path);
    return it == bits_.end() ? std::nullopt : std::optional<std::uint32_t>(it->second);
  }
  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    return sys::ListDirectory(pattern, mask, *this);
  }

 private:
  std::string root_;
  std::map<std::string, std::uint32_t> bits_;
};

TEST(ShortcutsInANativeScan, EachWormGivesItsRowsAndNoLookAlikeGivesAny) {
  testing::TempFolder tmp;
  StickOnDisk stick(tmp);
  testing::FoundList sink;
  TwoPassScan scan(sink, {.directories = stick, .folderListable = sys::FolderListable, .readHead = sys::ReadFileHead,
                          .engine = SystemEngineServices()});
  scan.Run({{tmp.Folder()}});

  std::map<std::string, std::vector<std::string>> found;  // by case
  for (const Detection& d : sink.found) {
    const std::string inStick = d.path.substr(stick.Root().size());
    const std::size_t cut = inStick.find('/');
    found[inStick.substr(0, cut)].push_back(inStick.substr(cut + 1) + " " + d.virusName + " " + d.remark);
  }
  for (const testing::ShortcutCase& c : testing::ShortcutCases()) {
    std::vector<std::string> expected;
    for (const testing::StickRow& row : c.rows) expected.push_back(Slashed(row.path) + " " + row.rule + " Heuristik");
    EXPECT_EQ(found[c.folder], expected) << c.folder;
  }
}

}  // namespace
}  // namespace tarvex
