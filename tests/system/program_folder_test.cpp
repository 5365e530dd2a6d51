#include "system/program_folder.h"

#include <gtest/gtest.h>

namespace tarvex::sys {

TEST(ProgramFolder, AnOverrideHoldsUntilItIsCleared) {
  OverrideProgramFolder("D:\\Tools\\Tarvex");
  EXPECT_EQ(ProgramFolder(), "D:\\Tools\\Tarvex");
  OverrideProgramFolder("");
  EXPECT_NE(ProgramFolder(), "D:\\Tools\\Tarvex");
}

}  // namespace tarvex::sys
