// The host's file layer of the native build: what a scan of real Linux
// folders meets besides plain files and folders.
#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "scan/heuristics.h"
#include "scan/two_pass_scan.h"
#include "signatures/temp_files.h"
#include "support/detection_samples.h"
#include "system/console.h"
#include "system/dos_attributes.h"
#include "system/file_read.h"
#include "system/files.h"

namespace tarvex::sys {
namespace {

std::map<std::string, std::uint32_t> Listed(const std::string& pattern, std::uint32_t mask) {
  std::map<std::string, std::uint32_t> out;
  for (const DirEntry& e : ListDirectory(pattern, mask)) out[e.name] = e.attributes;
  return out;
}

TEST(HostFiles, LinksCarryTheReparseBitAndPipesAndDanglingLinksAreLeftOut) {
  testing::TempFolder tmp;
  const std::string root = tmp.Folder();
  tmp.Write("plain.exe", "MZ");
  std::filesystem::create_directory(root + "/folder");
  std::filesystem::create_directory_symlink(root, root + "/loop");
  std::filesystem::create_symlink(root + "/plain.exe", root + "/link.exe");
  std::filesystem::create_symlink(root + "/gone", root + "/dangling");
  ASSERT_EQ(mkfifo((root + "/pipe").c_str(), 0600), 0);

  EXPECT_EQ(Listed(root + "/", 55), (std::map<std::string, std::uint32_t>{
                                        {".", kAttrDirectory},
                                        {"..", kAttrDirectory},
                                        {"plain.exe", kAttrArchive},
                                        {"folder", kAttrDirectory},
                                        {"loop", kAttrDirectory | kAttrReparsePoint},
                                        {"link.exe", kAttrArchive | kAttrReparsePoint},
                                    }));
  EXPECT_EQ(Listed(root + "/*.*", 39), (std::map<std::string, std::uint32_t>{
                                           {"plain.exe", kAttrArchive},
                                           {"link.exe", kAttrArchive | kAttrReparsePoint},
                                       }));
  // Neither call may wait for a writer to open the pipe.
  EXPECT_FALSE(ReadWholeFile(root + "/pipe").has_value());
  EXPECT_FALSE(FileLength(root + "/pipe").has_value());
  EXPECT_EQ(ReadWholeFile(root + "/link.exe"), (std::vector<unsigned char>{'M', 'Z'}));
}

TEST(HostFiles, BracketsInANameAreNoWildcard) {
  testing::TempFolder tmp;
  tmp.Write("a[1].exe", "x");
  tmp.Write("a1.exe", "x");
  EXPECT_EQ(VisibleFileName(tmp.Folder() + "/a[1].exe"), "a[1].exe");
  EXPECT_EQ(Listed(tmp.Folder() + "/a?.exe", 0).size(), 1u);
}

// A flash disk as the FAT driver shows it: the bits of the named entries.
struct FakeFatBits : DosAttributes, DirectorySource {
  bool Kept(const std::string&) override { return true; }
  std::optional<std::uint32_t> Read(const std::string& path) override {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    return name == "Tugas" || name == "catatan.txt" ? std::optional<std::uint32_t>(kAttrHidden) : std::nullopt;
  }
  std::vector<DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    return ListDirectory(pattern, mask, *this);
  }
};

TEST(HostFiles, TheHiddenBitsOfAFatDiskAreListedAndTheWormsFolderTwinIsFound) {
  testing::TempFolder tmp;
  std::filesystem::create_directory(tmp.Path("Tugas"));
  const std::string worm = tmp.Write("Tugas.exe", "MZ worm");
  tmp.Write("catatan.txt", "hidden note");
  FakeFatBits disk;
  EXPECT_EQ(disk.List(tmp.Folder() + "/catatan.txt", kAttrArchive).size(), 0u) << "hidden, as Windows lists it";

  testing::FoundList sink;
  TwoPassScan scan(sink, {.directories = disk, .folderListable = FolderListable, .readHead = ReadFileHead,
                          .engine = SystemEngineServices()});
  scan.Run({{tmp.Folder()}});
  ASSERT_EQ(sink.found.size(), 1u);
  EXPECT_EQ(sink.found[0].virusName + " " + sink.found[0].path, std::string(heuristics::kFolderTwin) + " " + worm);
}

}  // namespace
}  // namespace tarvex::sys
