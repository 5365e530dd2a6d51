#include "scan/folder_walk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>

#include "signatures/temp_files.h"
#include "support/fake_tree.h"
#include "support/walked.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;
using testing::FakeTree;
using testing::Walk;
using testing::Walked;

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
  const Walked w = Walk(tree, "C:\\Data");
  EXPECT_EQ(w.listed.front(), "C:\\Data\\") << "the path gets its trailing backslash";
  EXPECT_THAT(w.files, ElementsAre("C:\\Data\\a.exe", "C:\\Data\\b.txt", "C:\\Data\\Sub\\c.dll",
                                   "C:\\Data\\Sub\\Deep\\d.scr", "C:\\Data\\Next\\e.com"));
  EXPECT_EQ(w.ends, 4) << "one end for each of the four folders";
}

TEST(FolderWalk, EmptyTreeVisitsNothing) {
  FakeTree tree;
  tree.Folder("C:\\", "Empty");
  EXPECT_EQ(Walk(tree, "C:\\Empty").Count(), 0u);
}

TEST(FolderWalk, HiddenAndSystemEntriesAreWalkedLikeAnyOther) {
  FakeTree tree;
  tree.Folder("D:\\", "T")
      .File("D:\\T\\", "hidden.exe", sys::kAttrHidden)
      .File("D:\\T\\", "system.sys", sys::kAttrSystem | sys::kAttrReadOnly)
      .Folder("D:\\T\\", "HiddenDir", sys::kAttrHidden | sys::kAttrSystem)
      .File("D:\\T\\HiddenDir\\", "inner.dll", sys::kAttrHidden);
  EXPECT_THAT(Walk(tree, "D:\\T").files,
              ElementsAre("D:\\T\\hidden.exe", "D:\\T\\system.sys", "D:\\T\\HiddenDir\\inner.dll"));
}

TEST(FolderWalk, FolderLinksAreNotEntered) {
  FakeTree tree;
  tree.Folder("C:\\", "Root")
      .File("C:\\Root\\", "x.exe")
      .Folder("C:\\Root\\", "Loop", sys::kAttrReparsePoint)
      .File("C:\\Root\\Loop\\", "would-loop.exe");
  EXPECT_THAT(Walk(tree, "C:\\Root").files, ElementsAre("C:\\Root\\x.exe"));
}

TEST(FolderWalk, DriveRootIsListedWithItsOwnBackslash) {
  FakeTree tree;
  tree.File("C:\\", "boot.ini");
  EXPECT_EQ(Walk(tree, "C:\\").Count(), 1u);
  EXPECT_THAT(tree.listings, ElementsAre("C:\\", "C:\\*.*"));
}

TEST(FolderWalk, StopIsNoticedBeforeTheNextFileAndNoFurtherFolderIsListed) {
  FakeTree tree = SampleTree();
  // Stop while the deep folder's file is being handled.
  const Walked w = Walk(tree, "C:\\Data", [](const Walked& w) {
    return !w.files.empty() && w.files.back() == "C:\\Data\\Sub\\Deep\\d.scr";
  });
  EXPECT_EQ(w.Count(), 4u);
  EXPECT_EQ(tree.listings.back(), "C:\\Data\\Sub\\Deep\\*.*") << "the Next folder must not be listed";
  EXPECT_EQ(w.ends, 3) << "the folders above it still end, one after the other";
}

TEST(FolderWalk, StopBeforeTheFirstFileOfAFolder) {
  FakeTree tree = SampleTree();
  const Walked w = Walk(tree, "C:\\Data", [](const Walked& w) { return w.files.size() == 2; });  // after the top folder's files
  EXPECT_EQ(w.Count(), 2u);
  // The top folder had no third file, so its subfolders were reached, and
  // none of them was listed.
  EXPECT_EQ(tree.listings.size(), 2u);
  EXPECT_EQ(w.ends, 1);
}

TEST(FolderWalk, AStoppedScanStartsNothing) {
  FakeTree tree = SampleTree();
  FolderWalk walk(tree, "C:\\Data");
  EXPECT_FALSE(walk.Next(true));
  EXPECT_TRUE(tree.listings.empty());
}

TEST(FolderWalk, UnlistableFolderContributesNothing) {
  FakeTree tree;
  tree.Folder("C:\\", "A").File("C:\\A\\", "one.exe");
  EXPECT_EQ(Walk(tree, "C:\\Missing").Count(), 0u);
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
  // {from, to, files, files and ends}: no folder met twice, one its own subfolder, one its grandparent.
  const std::size_t cases[][4] = {{kDeepest + 1, 0, 1, kDeepest + 2}, {1, 0, 0, 1}, {5, 3, 0, 5}};
  for (const auto& [from, to, files, steps] : cases) {
    ChainSource chain(kDeepest, from, to);
    const Walked w = Walk(chain, "C:\\");
    EXPECT_EQ(w.Count(), files) << from;
    EXPECT_EQ(w.Count() + static_cast<std::size_t>(w.ends), steps) << from;
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
  const Walked w = Walk(SystemDirectories(), root.string());
  EXPECT_THAT(w.files, UnorderedElementsAreArray(files));
  ASSERT_EQ(w.Count(), 5u);
  EXPECT_THAT(std::vector<std::string>(w.files.begin(), w.files.begin() + 2), UnorderedElementsAre(files[0], files[1]))
      << "the top folder's own files come first";
}

}  // namespace
}  // namespace tarvex
