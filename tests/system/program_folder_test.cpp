#include "system/program_folder.h"

#include <gtest/gtest.h>

namespace tarvex::sys {

TEST(ProgramFolder, FilesAreJoinedWithOneBackslash) {
  OverrideProgramFolder("D:\\Tools\\Tarvex");
  EXPECT_EQ(ProgramFile("Tarvex.db"), "D:\\Tools\\Tarvex\\Tarvex.db");
  OverrideProgramFolder("");
  EXPECT_NE(ProgramFolder(), "D:\\Tools\\Tarvex");
}

}  // namespace tarvex::sys
