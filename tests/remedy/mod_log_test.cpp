#include "remedy/mod_log.h"

#include <gtest/gtest.h>

#include "support/fake_file_system.h"
#include "support/fixed_clock.h"

namespace tarvex {
namespace {

using testing::FakeFileSystem;
using testing::FixedClock;

TEST(ModLog, NamesTheDaysFileAfterTheShortDateWithSlashesAsUnderscores) {
  struct Case {
    const char* programFolder;
    const char* dateFormat;  // day, month, year
    bool monthFirst;
    const char* file;
  };
  const Case cases[] = {
      {"C:\\Tarvex", "%02d/%02d/%04d", false, "C:\\Tarvex\\Logs\\06_12_2026.txt"},
      {"C:\\Tarvex", "%d/%d/%04d", true, "C:\\Tarvex\\Logs\\12_6_2026.txt"},
      {"C:\\Tarvex", "%02d-%02d-%04d", false, "C:\\Tarvex\\Logs\\06-12-2026.txt"},
      {"C:\\Tarvex", "%02d.%02d.%04d", false, "C:\\Tarvex\\Logs\\06.12.2026.txt"},
      {"D:\\", "%02d/%02d/%04d", false, "D:\\\\Logs\\06_12_2026.txt"},  // plain joining at a drive root
  };
  for (const Case& c : cases) {
    FakeFileSystem files;
    FixedClock clock;
    clock.dateFormat = c.dateFormat;
    clock.dateMonthFirst = c.monthFirst;
    ModLog(files, clock, c.programFolder).WriteLog("karantina");
    ASSERT_EQ(files.files.size(), 1u) << c.file;
    EXPECT_EQ(files.files.begin()->first, c.file);
    EXPECT_EQ(files.files.begin()->second.content, "[22:05:33] karantina\r\n");
  }
}

TEST(ModLog, MakesTheFolderAndAppendsEveryEntryAsALineOfItsOwn) {
  FakeFileSystem files;
  FixedClock clock;
  ModLog log(files, clock, "C:\\Tarvex");
  log.WriteLog("hapus virus");
  log.WriteLog("karantina");  // the same second
  clock.now.second = 34;
  log.WriteLog("Download Database");

  EXPECT_TRUE(files.folders.count("C:\\Tarvex\\Logs"));
  EXPECT_EQ(files.files["C:\\Tarvex\\Logs\\06_12_2026.txt"].content,
            "[22:05:33] hapus virus\r\n[22:05:33] karantina\r\n[22:05:34] Download Database\r\n");
}

}  // namespace
}  // namespace tarvex
