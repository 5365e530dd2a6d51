#include "system/program_folder.h"

#include <gtest/gtest.h>

#include "support/native_path.h"

namespace tarvex::sys {

TEST(ProgramFolder, FilesAreJoinedWithOneSeparator) {
  const std::string folder = testing::NativePath("D:/Tools/Tarvex");
  OverrideProgramFolder(folder);
  EXPECT_EQ(ProgramFile("Tarvex.db"), testing::NativePath("D:/Tools/Tarvex/Tarvex.db"));
  OverrideProgramFolder("");
  EXPECT_NE(ProgramFolder(), folder);
}

}  // namespace tarvex::sys
