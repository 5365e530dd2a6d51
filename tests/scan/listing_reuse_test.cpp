#include "scan/listing_reuse.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_tree.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;

class Recorder : public WalkHost {
 public:
  bool StopRequested() override { return false; }
  void ExamineFile(const std::string& folder, const std::string& name) override { examined.push_back(folder + name); }
  void DoEvents() override {}
  std::vector<std::string> examined;
};

TEST(ListingReuse, OneListingPerFolderAndTheSameFilesInTheSameOrder) {
  testing::FakeTree tree;
  tree.Folder("C:\\Data\\", "Sub")
      .File("C:\\Data\\", "a.exe")
      .File("C:\\Data\\", "hidden.sys", sys::kAttrHidden | sys::kAttrSystem)
      .File("C:\\Data\\", "b.txt", sys::kAttrReadOnly)
      .File("C:\\Data\\Sub\\", "c.dll")
      .Folder("C:\\Data\\Sub\\", "Deep")
      .File("C:\\Data\\Sub\\Deep\\", "d.scr");

  Recorder direct, reused;
  std::uint64_t count = 0;
  std::string path = "C:\\Data\\";
  MENCARI_VIRUS(path, "*.*", count, Kerja::Pindai, direct, tree);
  const std::size_t listingsWithoutReuse = tree.listings.size();
  tree.listings.clear();

  ListingReuse once(tree);
  path = "C:\\Data\\";
  MENCARI_VIRUS(path, "*.*", count, Kerja::Pindai, reused, once);

  EXPECT_EQ(reused.examined, direct.examined);
  EXPECT_THAT(reused.examined, ElementsAre("C:\\Data\\a.exe", "C:\\Data\\hidden.sys", "C:\\Data\\b.txt",
                                           "C:\\Data\\Sub\\c.dll", "C:\\Data\\Sub\\Deep\\d.scr"));
  EXPECT_EQ(listingsWithoutReuse, 6u);
  EXPECT_THAT(tree.listings, ElementsAre("C:\\Data\\", "C:\\Data\\Sub\\", "C:\\Data\\Sub\\Deep\\"));
}

TEST(ListingReuse, OtherListingsGoToTheSource) {
  testing::FakeTree tree;
  tree.File("C:\\A\\", "x.txt").File("C:\\B\\", "y.txt");
  ListingReuse once(tree);
  once.List("C:\\A\\", kFolderListingMask);
  // Another folder's files, or another pattern, is no reuse.
  EXPECT_EQ(once.List("C:\\B\\*.*", kFileListingMask).size(), 1u);
  once.List("C:\\A\\*.exe", kFileListingMask);
  EXPECT_THAT(tree.listings, ElementsAre("C:\\A\\", "C:\\B\\*.*", "C:\\A\\*.exe"));
  EXPECT_EQ(once.Separator(), '\\');
}

}  // namespace
}  // namespace tarvex
