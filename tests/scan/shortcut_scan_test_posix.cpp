// The shortcut rules through the native scan, as the Linux rescue runs it:
// the cases of support/shortcut_stick.h on a Linux disk, with the shortcuts
// wine's shell made for them and their hidden and system bits as the FAT
// driver shows them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "scan/two_pass_scan.h"
#include "signatures/temp_files.h"
#include "support/detection_samples.h"
#include "support/shortcut_stick.h"
#include "system/console.h"
#include "system/dos_attributes.h"

namespace tarvex {
namespace {

std::string Slashed(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

struct StickOnDisk : sys::DosAttributes, DirectorySource {
  bool Kept(const std::string&) override { return true; }
  std::optional<std::uint32_t> Read(const std::string& path) override {
    return hidden.count(path) ? std::optional<std::uint32_t>(sys::kAttrHidden | sys::kAttrSystem) : std::nullopt;
  }
  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    return sys::ListDirectory(pattern, mask, *this);
  }
  std::set<std::string> hidden;
};

TEST(ShortcutsInANativeScan, EachWormGivesItsRowsAndNoLookAlikeGivesAny) {
  testing::TempFolder tmp;
  StickOnDisk stick;
  std::map<std::string, std::vector<std::string>> expected, found;  // by the case's folder
  for (const testing::ShortcutCase& c : testing::ShortcutCases()) {
    const std::string folder = c.folder + "/";
    for (const std::string& f : c.files) {
      const std::string path = tmp.Path(folder + Slashed(testing::InCase(f)));
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      if (path.back() != '/') tmp.Write(folder + Slashed(testing::InCase(f)), "the file");
      if (f[0] == '*') stick.hidden.insert(path.back() == '/' ? path.substr(0, path.size() - 1) : path);
    }
    for (const testing::StickShortcut& s : c.shortcuts)
      std::filesystem::copy_file(TARVEX_SHORTCUT_FIXTURES "/" + folder + s.name, tmp.Path(folder + s.name));
    for (const std::string& row : c.rows)
      expected[c.folder].push_back(Slashed(row) + (row == c.rows[0] ? " Heur.Shortcut" : " Heur.ShortcutTarget"));
  }
  testing::FoundList sink;
  TwoPassScan scan(sink, {.directories = stick, .folderListable = sys::FolderListable, .readHead = sys::ReadFileHead,
                          .engine = SystemEngineServices()});
  scan.Run({{tmp.Folder()}});

  for (const Detection& d : sink.found) {
    const std::string inStick = d.path.substr(tmp.Folder().size() + 1);
    const std::size_t cut = inStick.find('/');
    found[inStick.substr(0, cut)].push_back(inStick.substr(cut + 1) + " " + d.virusName);
  }
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace tarvex
