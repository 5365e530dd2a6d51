#include "scan/listing_reuse.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_tree.h"
#include "support/walked.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;


TEST(ListingReuse, OneListingPerFolderAndTheSameFilesInTheSameOrder) {
  testing::FakeTree tree;
  tree.Folder("C:\\Data\\", "Sub")
      .File("C:\\Data\\", "a.exe")
      .File("C:\\Data\\", "hidden.sys", sys::kAttrHidden | sys::kAttrSystem)
      .File("C:\\Data\\", "b.txt", sys::kAttrReadOnly)
      .File("C:\\Data\\Sub\\", "c.dll")
      .Folder("C:\\Data\\Sub\\", "Deep")
      .File("C:\\Data\\Sub\\Deep\\", "d.scr");

  const std::vector<std::string> direct = testing::Walk(tree, "C:\\Data\\").files;
  const std::size_t listingsWithoutReuse = tree.listings.size();
  tree.listings.clear();

  ListingReuse once(tree);
  const std::vector<std::string> reused = testing::Walk(once, "C:\\Data\\").files;

  EXPECT_EQ(reused, direct);
  EXPECT_THAT(reused, ElementsAre("C:\\Data\\a.exe", "C:\\Data\\hidden.sys", "C:\\Data\\b.txt",
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
