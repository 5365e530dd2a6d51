// The directory lookup by name the program uses to ask whether a file of its
// own is there: hidden and system files count as missing.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/temp_tree_win32.h"
#include "system/files.h"

namespace tarvex::sys {
namespace {

TEST(VisibleFileLookup, SeesOnlyFilesWithoutHiddenOrSystemAttributes) {
  testing::TempTree tree("visible");
  EXPECT_TRUE(VisibleFileExists(tree.Write("Tarvex.db", "Selesai:Selesai\r\n")));
  EXPECT_TRUE(VisibleFileExists(tree.Write("readonly.db", "x", FILE_ATTRIBUTE_READONLY)));
  EXPECT_FALSE(VisibleFileExists(tree.Write("hidden.db", "x", FILE_ATTRIBUTE_HIDDEN)));
  EXPECT_FALSE(VisibleFileExists(tree.Write("system.db", "x", FILE_ATTRIBUTE_SYSTEM)));
  EXPECT_FALSE(VisibleFileExists(tree.Root() + "\\missing.db"));
  EXPECT_FALSE(VisibleFileExists(tree.Folder("folder"))) << "a folder is no file";
  EXPECT_FALSE(VisibleFileExists(""));
}

}  // namespace
}  // namespace tarvex::sys
