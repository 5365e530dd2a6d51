#include "signatures/string_signature.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "signatures/val_number.h"
#include "temp_files.h"

namespace tarvex {
namespace {

using Strings = std::vector<std::string>;

// Entries from index 1 up to (not including) the sentinel.
Strings Walk(std::string (*table)(std::int16_t), const std::string& sentinel) {
  Strings out;
  for (std::int16_t i = 1; i < 2000; ++i) {
    std::string e = table(i);
    if (e == sentinel) return out;
    out.push_back(e);
  }
  ADD_FAILURE() << "no sentinel";
  return out;
}

// What the detection and the lists rely on, whatever the tables hold: entries
// of whole hex pairs and a name up to the sentinel, and nothing outside.
TEST(BuiltInTables, HoldHexPatternsWithNamesUpToTheirSentinelAndNothingOutside) {
  struct Table {
    const char* what;
    std::string (*entry)(std::int16_t);
    const char* sentinel;
  };
  const Table tables[] = {{"viruses", &VirusSignature, kVirusSentinel},
                          {"packers", &PackerSignature, kTableSentinel},
                          {"compilers", &CompilerSignature, kTableSentinel}};
  for (const Table& t : tables) {
    SCOPED_TRACE(t.what);
    const Strings entries = Walk(t.entry, t.sentinel);
    EXPECT_FALSE(entries.empty());
    for (const std::string& e : entries) {
      const std::string pattern = e.substr(0, e.find(':'));
      EXPECT_TRUE(!pattern.empty() && pattern.size() % 2 == 0 &&
                  pattern.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos)
          << e;
      EXPECT_GT(e.size(), pattern.size() + 1) << e << ": no name";
      if (t.entry == &VirusSignature) {
        EXPECT_GT(SplitVirusEntry(e).size, 0) << e;
      }
    }
    const int past = static_cast<int>(entries.size()) + 2;
    for (int i : {0, -1, past, 32767}) EXPECT_EQ(t.entry(static_cast<std::int16_t>(i)), "") << i;
  }
  EXPECT_EQ(ConvertedVirusTable().size(), Walk(&VirusSignature, kVirusSentinel).size());
}

TEST(HexToCharsConversion, PairsOfEitherCase) {
  EXPECT_EQ(HexToChars("4d5a"), "MZ");
  EXPECT_EQ(HexToChars("4D5A"), "MZ");
  EXPECT_EQ(HexToChars(""), "");
  EXPECT_EQ(HexToChars("00ff7F"), std::string("\x00\xff\x7f", 3));
}

TEST(HexToCharsConversion, OddLengthAndNonHexCharacters) {
  EXPECT_EQ(HexToChars("abc"), std::string("\xab\x0c", 2));
  EXPECT_EQ(HexToChars("z4"), std::string(1, '\0'));
  EXPECT_EQ(HexToChars("4z"), std::string(1, '\x04'));
  EXPECT_EQ(HexToChars("4 5G-1"), std::string("\x04\x05\x00", 3));
  EXPECT_EQ(HexToChars(std::string(40001, 'f')).size(), 20001u);
}

class FindPatternTest : public ::testing::Test {
 protected:
  testing::TempFolder dir_;
};

TEST_F(FindPatternTest, FindsThePatternAtAnyOffset) {
  const std::string upx = HexToChars("555058210c09");
  std::string filler(5000, '\0');
  EXPECT_EQ(FindPattern(dir_.Write("start.exe", upx + filler), upx, "UPX"), "UPX");
  EXPECT_EQ(FindPattern(dir_.Write("end.exe", filler + upx), upx, "UPX"), "UPX");
  EXPECT_EQ(FindPattern(dir_.Write("exact.exe", upx), upx, "UPX"), "UPX");
  EXPECT_EQ(FindPattern(dir_.Write("middle.exe", "ab" + upx + "cd"), upx, "UPX"), "UPX");
}

TEST_F(FindPatternTest, NearMissesAreNotFound) {
  const std::string upx = HexToChars("555058210c09");
  EXPECT_EQ(FindPattern(dir_.Write("other.exe", "xxUPX!\x0c\x0axx"), upx, "UPX"), "");
  EXPECT_EQ(FindPattern(dir_.Write("cut.exe", "xxUPX!\x0c"), upx, "UPX"), "");
  EXPECT_EQ(FindPattern(dir_.Write("case.exe", "upx!\x0c\x09"), upx, "UPX"), "");
  EXPECT_EQ(FindPattern(dir_.Write("empty.exe", ""), upx, "UPX"), "");
  EXPECT_EQ(FindPattern(dir_.Write("any.exe", "content"), "", "Nothing"), "")
      << "an empty pattern identifies nothing";
}

TEST_F(FindPatternTest, UnreadableFileIsNotTheSameAsNotFound) {
  EXPECT_EQ(FindPattern(dir_.Path("missing.exe"), "MZ", "x"), std::nullopt);
  EXPECT_EQ(FindPattern(dir_.Folder(), "MZ", "x"), std::nullopt);
}

TEST_F(FindPatternTest, LeavesNoFileOpen) {
  std::string path = dir_.Write("probe.exe", "MZ....");
  for (int i = 0; i < 3000; ++i) ASSERT_EQ(FindPattern(path, "MZ", "x"), "x");
  std::error_code ec;
  EXPECT_TRUE(std::filesystem::remove(path, ec)) << ec.message();
}

TEST(VirusEntrySplit, EntriesSplitIntoPatternNameAndSize) {
  VirusEntry e = SplitVirusEntry("15e01040008d:w32.Contoh.C:175104");
  EXPECT_EQ(e.pattern, "15e01040008d");
  EXPECT_EQ(e.name, "w32.Contoh.C");
  EXPECT_EQ(e.size, 175104);
}

TEST(VirusEntrySplit, MissingFieldsAreEmpty) {
  VirusEntry noSize = SplitVirusEntry("AB:name");
  EXPECT_EQ(noSize.name, "name");
  EXPECT_EQ(noSize.size, 0);
  VirusEntry bare = SplitVirusEntry("ABCD");
  EXPECT_EQ(bare.pattern, "ABCD");
  EXPECT_EQ(bare.name, "");
  EXPECT_EQ(SplitVirusEntry("AB:n:12:34").size, 12);
}

TEST(ValReading, DigitsSignsAndBlanks) {
  EXPECT_EQ(ValToInt32("17920"), 17920);
  EXPECT_EQ(ValToInt32("  1 79 20"), 17920);
  EXPECT_EQ(ValToInt32("-5"), -5);
  EXPECT_EQ(ValToInt32("+7kb"), 7);
  EXPECT_EQ(ValToInt32("12abc"), 12);
  EXPECT_EQ(ValToInt32(""), 0);
  EXPECT_EQ(ValToInt32("abc"), 0);
  EXPECT_EQ(ValToInt32("\r5"), 0) << "a carriage return is no blank to Val";
}

TEST(ValReading, FractionsRoundHalfToEven) {
  EXPECT_EQ(ValToInt32("2.5"), 2);
  EXPECT_EQ(ValToInt32("3.5"), 4);
  EXPECT_EQ(ValToInt32("2.51"), 3);
  EXPECT_EQ(ValToInt32("2.49"), 2);
  EXPECT_EQ(ValToInt32("-2.5"), -2);
  EXPECT_EQ(ValToInt32("-3.5"), -4);
  EXPECT_EQ(ValToInt32(".7"), 1);
}

TEST(ValReading, OutOfRangeSaturates) {
  EXPECT_EQ(ValToInt32("2147483647"), 2147483647);
  EXPECT_EQ(ValToInt32("2147483648"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ValToInt32("99999999999999999999999"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ValToInt32("-2147483648"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ValToInt32("-2147483649"), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ValToInt32("2147483646.9"), 2147483647);
}

}  // namespace
}  // namespace tarvex
