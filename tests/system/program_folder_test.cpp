#include "system/program_folder.h"

#include <gtest/gtest.h>

#include "system/files.h"

namespace tarvex::sys {

TEST(ProgramFolder, FilesAreJoinedWithOneSeparator) {
  OverrideProgramFolder("D:\\Tools\\Tarvex");
  EXPECT_EQ(ProgramFile("Tarvex.db"), std::string("D:\\Tools\\Tarvex") + kPathSeparator + "Tarvex.db");
  OverrideProgramFolder("");
  EXPECT_NE(ProgramFolder(), "D:\\Tools\\Tarvex");
}

}  // namespace tarvex::sys
