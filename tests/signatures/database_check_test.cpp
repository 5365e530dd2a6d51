#include "signatures/database_check.h"

#include <gtest/gtest.h>

#include <string>

#include "signatures/checksum_text.h"

namespace tarvex {
namespace {

TEST(ChecksumTextForm, OnlyTheEnginesOwnSpellingIsAKey) {
  for (const char* key : {"0", "1", "6851CF3C", "FFFFFFFF", "F000000"}) EXPECT_TRUE(IsChecksumText(key)) << key;
  for (const char* key : {"", "00", "0ABC", "6851cf3c", "6851CF3C ", "123456789", "G1", "+1", "0x1A"})
    EXPECT_FALSE(IsChecksumText(key)) << "'" << key << "'";
}

TEST(DatabaseCheck, JudgesEveryLineUpToTheSentinel) {
  struct Case {
    std::string text;
    DatabaseFault fault;
    std::size_t line;
  };
  const Case cases[] = {
      {"6851CF3C:EICAR-Test-File\r\nSelesai:Selesai\r\n", DatabaseFault::None, 0},
      {"1:Satu\nABC:Satu Dua\rSelesai:Selesai", DatabaseFault::None, 0},
      {"ABC:X\r\n0:Nol\r\nSelesai:Selesai", DatabaseFault::ZeroKey, 2},
      {"ABC:X\r\nSelesai:Selesai\r\nanything after the end", DatabaseFault::None, 0},
      {"Selesai:Selesai\r\n", DatabaseFault::NoEntries, 1},
      {"", DatabaseFault::NoSentinel, 0},
      {"ABC:X\r\nDEF:Y\r\n", DatabaseFault::NoSentinel, 0},
      {"ABC:X\r\nSelesai:Sel", DatabaseFault::BadEntry, 2},
      {"ABC:X\r\n\r\nSelesai:Selesai", DatabaseFault::BadEntry, 2},
      {"abc:X\r\nSelesai:Selesai", DatabaseFault::BadEntry, 1},
      {"0ABC:X\r\nSelesai:Selesai", DatabaseFault::BadEntry, 1},
      {"ABC\r\nSelesai:Selesai", DatabaseFault::BadEntry, 1},
      {"ABC:  \r\nSelesai:Selesai", DatabaseFault::BadEntry, 1},
      {"ABC:W32,Varian\r\nSelesai:Selesai", DatabaseFault::BadEntry, 1},
      {" ABC:X\r\nSelesai:Selesai", DatabaseFault::BadEntry, 1},
      {"ABC:X\r\nSelesai:Selesai \r\n", DatabaseFault::BadEntry, 2},
      {std::string("ABC:X\0\r\nSelesai:Selesai", 23), DatabaseFault::NulByte, 1},
  };
  for (const Case& c : cases) {
    DatabaseCheck check = CheckDatabaseText(c.text);
    EXPECT_EQ(check.fault, c.fault) << c.text;
    EXPECT_EQ(check.line, c.line) << c.text;
  }
}

}  // namespace
}  // namespace tarvex
