// On Windows the lookup finds Tarvex.db through the program folder.
#include <gtest/gtest.h>

#include "signatures/signature_database.h"
#include "system/program_folder.h"

namespace tarvex {
namespace {

TEST(LookupCrcInProgramFolder, ReadsTarvexDbBesideTheProgram) {
  sys::OverrideProgramFolder(TARVEX_RESOURCES_DIR);
  EXPECT_EQ(LookupCrc("6851CF3C"), "EICAR-Test-File");
  EXPECT_EQ(LookupCrc("CBF43926"), "");
  sys::OverrideProgramFolder("");
}

}  // namespace
}  // namespace tarvex
