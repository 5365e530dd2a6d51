#include "scan/folder_walk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>

#include "signatures/temp_files.h"
#include "support/fake_tree.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;
using testing::FakeTree;

// Records the order of the scanning pass and lets a test press Stop at a yield.
class RecordingHost : public WalkHost {
 public:
  bool StopRequested() override {
    ++stopTests;
    return stopped;
  }
  void ExamineFile(const std::string& folder, const std::string& name) override { examined.push_back(folder + name); }
  // One pass from `root`; returns the pass's file count.
  std::uint64_t Walk(DirectorySource& tree, std::string root, Kerja kerja) {
    std::uint64_t count = 0;
    MENCARI_VIRUS(root, "*.*", count, kerja, *this, tree);
    return count;
  }

  void DoEvents() override {
    ++yields;
    if (onYield) onYield();
  }

  bool stopped = false;
  int stopTests = 0;
  int yields = 0;
  std::vector<std::string> examined;
  std::function<void()> onYield;
};

FakeTree SampleTree() {
  FakeTree tree;
  tree.Folder("C:\\Data\\", "Sub")
      .File("C:\\Data\\", "a.exe")
      .Folder("C:\\Data\\", "Next")
      .File("C:\\Data\\", "b.txt")
      .File("C:\\Data\\Sub\\", "c.dll")
      .Folder("C:\\Data\\Sub\\", "Deep")
      .File("C:\\Data\\Sub\\Deep\\", "d.scr")
      .File("C:\\Data\\Next\\", "e.com");
  return tree;
}

TEST(FolderWalk, FilesComeBeforeSubfoldersAndEachSubtreeBeforeItsNextSibling) {
  FakeTree tree = SampleTree();
  RecordingHost host;
  std::string path = "C:\\Data";
  std::uint64_t count = 0;
  MENCARI_VIRUS(path, "*.*", count, Kerja::Pindai, host, tree);

  EXPECT_EQ(path, "C:\\Data\\") << "the caller's path gets its trailing backslash";
  EXPECT_THAT(host.examined, ElementsAre("C:\\Data\\a.exe", "C:\\Data\\b.txt", "C:\\Data\\Sub\\c.dll",
                                         "C:\\Data\\Sub\\Deep\\d.scr", "C:\\Data\\Next\\e.com"));
  EXPECT_EQ(count, 5);
  // One yield per file and one at the end of each of the four folders.
  EXPECT_EQ(host.yields, 5 + 4);
}

TEST(FolderWalk, CountingPassCountsWithoutExamining) {
  FakeTree tree = SampleTree();
  RecordingHost host;
  std::uint64_t count = host.Walk(tree, "C:\\Data\\", Kerja::Hitung);
  EXPECT_EQ(count, 5);
  EXPECT_TRUE(host.examined.empty());
}

TEST(FolderWalk, EmptyTreeVisitsNothing) {
  FakeTree tree;
  tree.Folder("C:\\", "Empty");
  RecordingHost host;
  std::uint64_t count = host.Walk(tree, "C:\\Empty", Kerja::Pindai);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(host.examined.empty());
}

TEST(FolderWalk, HiddenAndSystemEntriesAreWalkedLikeAnyOther) {
  FakeTree tree;
  tree.Folder("D:\\", "T")
      .File("D:\\T\\", "hidden.exe", sys::kAttrHidden)
      .File("D:\\T\\", "system.sys", sys::kAttrSystem | sys::kAttrReadOnly)
      .Folder("D:\\T\\", "HiddenDir", sys::kAttrHidden | sys::kAttrSystem)
      .File("D:\\T\\HiddenDir\\", "inner.dll", sys::kAttrHidden);
  RecordingHost host;
  EXPECT_EQ(host.Walk(tree, "D:\\T", Kerja::Pindai), 3);
  EXPECT_THAT(host.examined, ElementsAre("D:\\T\\hidden.exe", "D:\\T\\system.sys", "D:\\T\\HiddenDir\\inner.dll"));
}

TEST(FolderWalk, FolderLinksAreNotEntered) {
  FakeTree tree;
  tree.Folder("C:\\", "Root")
      .File("C:\\Root\\", "x.exe")
      .Folder("C:\\Root\\", "Loop", sys::kAttrReparsePoint)
      .File("C:\\Root\\Loop\\", "would-loop.exe");
  RecordingHost host;
  EXPECT_EQ(host.Walk(tree, "C:\\Root", Kerja::Pindai), 1);
  EXPECT_THAT(host.examined, ElementsAre("C:\\Root\\x.exe"));
}

TEST(FolderWalk, DriveRootIsListedWithItsOwnBackslash) {
  FakeTree tree;
  tree.File("C:\\", "boot.ini");
  RecordingHost host;
  std::uint64_t count = host.Walk(tree, "C:\\", Kerja::Hitung);
  EXPECT_EQ(count, 1);
  EXPECT_THAT(tree.listings, ElementsAre("C:\\", "C:\\*.*"));
}

TEST(FolderWalk, StopIsNoticedBeforeTheNextFileAndNoFurtherFolderIsListed) {
  FakeTree tree = SampleTree();
  RecordingHost host;
  // Stop while the deep folder's file is being handled.
  host.onYield = [&] {
    if (!host.examined.empty() && host.examined.back() == "C:\\Data\\Sub\\Deep\\d.scr") host.stopped = true;
  };
  std::uint64_t count = host.Walk(tree, "C:\\Data", Kerja::Pindai);
  EXPECT_EQ(host.examined.size(), 4u);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(tree.listings.back(), "C:\\Data\\Sub\\Deep\\*.*") << "the Next folder must not be listed";
}

TEST(FolderWalk, StopBeforeTheFirstFileOfAFolder) {
  FakeTree tree = SampleTree();
  RecordingHost host;
  host.onYield = [&] {
    if (host.examined.size() == 2) host.stopped = true;  // after the top folder's files
  };
  std::uint64_t count = host.Walk(tree, "C:\\Data", Kerja::Pindai);
  EXPECT_EQ(count, 2);
  // The top folder had no third file, so its subfolders were called, and each
  // returned at its entry test without listing anything.
  EXPECT_EQ(tree.listings.size(), 2u);
}

TEST(FolderWalk, AStoppedScanStartsNothing) {
  FakeTree tree = SampleTree();
  RecordingHost host;
  host.stopped = true;
  std::uint64_t count = host.Walk(tree, "C:\\Data", Kerja::Pindai);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(tree.listings.empty());
}

TEST(FolderWalk, UnlistableFolderContributesNothing) {
  FakeTree tree;
  tree.Folder("C:\\", "A").File("C:\\A\\", "one.exe");
  RecordingHost host;
  std::uint64_t count = host.Walk(tree, "C:\\Missing", Kerja::Pindai);
  EXPECT_EQ(count, 0);
}

// Folders "a" made up as they are listed, a file at the bottom; level `from` is
// level `to` again, as a path cut short at a NUL lists a folder as its own subfolder.
class ChainSource : public DirectorySource {
 public:
  ChainSource(std::size_t depth, std::size_t from, std::size_t to) : depth_(depth), from_(from), to_(to) {}
  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    if (Level(pattern) == depth_) return {{"bottom.exe", sys::kAttrArchive}};
    return mask & sys::kAttrDirectory ? std::vector<sys::DirEntry>{{"a", sys::kAttrDirectory}} : std::vector<sys::DirEntry>{};
  }
  std::optional<std::string> FolderIdentity(const std::string& folder) override {
    return std::to_string(Level(folder) == from_ ? to_ : Level(folder));
  }
  char Separator() const override { return '\\'; }
  static std::size_t Level(const std::string& path) { return std::count(path.begin(), path.end(), '\\') - 1; }
  std::size_t depth_, from_, to_;
};

TEST(FolderWalk, TheDeepestPathIsWalkedAndNoFolderIsEnteredFromInsideItself) {
  constexpr std::size_t kDeepest = 16000;  // one-letter folders in a path of 32 767 characters
  // {from, to, files, yields}: no folder met twice, one its own subfolder, one its grandparent.
  const std::size_t cases[][4] = {{kDeepest + 1, 0, 1, kDeepest + 2}, {1, 0, 0, 1}, {5, 3, 0, 5}};
  for (const auto& [from, to, files, yields] : cases) {
    ChainSource chain(kDeepest, from, to);
    RecordingHost host;
    EXPECT_EQ(host.Walk(chain, "C:\\", Kerja::Pindai), files) << from;
    EXPECT_EQ(static_cast<std::size_t>(host.yields), yields) << from;
  }
}

// The system's own listing, over a tree of real files on the disk of the
// build (the host's folders natively, the prefix's under wine).
TEST(FolderWalk, WalksARealTreeWithThePlatformsSeparator) {
  testing::TempFolder tmp;
  const std::filesystem::path root = tmp.Folder();
  std::vector<std::string> files;
  for (const char* name : {"a.exe", "b", "Sub/c.dll", "Sub/Deep/d.scr", "Next/e.com"}) {
    const std::filesystem::path file = (root / name).make_preferred();
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "x";
    files.push_back(file.string());
  }
  RecordingHost host;
  EXPECT_EQ(host.Walk(SystemDirectories(), root.string(), Kerja::Pindai), 5);
  EXPECT_THAT(host.examined, UnorderedElementsAreArray(files));
  ASSERT_EQ(host.examined.size(), 5u);
  EXPECT_THAT(std::vector<std::string>(host.examined.begin(), host.examined.begin() + 2),
              UnorderedElementsAre(files[0], files[1]))
      << "the top folder's own files come first";
}

}  // namespace
}  // namespace tarvex
