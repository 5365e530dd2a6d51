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

TEST(BuiltInTables, VirusTable) {
  EXPECT_EQ(Walk(&VirusSignature, "Selesai:Selesai:Selesai"),
            (Strings{"CA68A137541AED769C3F:w32.service.exe:17920",
                     "60AA606F4DD82135B73D:w32.Burmecia:100",
                     "2C245947F84623478D28:w32.KSpoold:285184",
                     "15e01040008d4dc88d55d851526a02:w32.TunggulKawung.C:175104",
                     "78b5549268a94cfe224200fa6fa17aef:w32.Service.exe:17920",
                     "e8b3b6fbff8945f033d2:w32.spooler:448000"}));
  EXPECT_EQ(VirusSignature(7), "Selesai:Selesai:Selesai");
  for (int i : {0, 8, 500, 1000, 1001, -1, 32767}) {
    EXPECT_EQ(VirusSignature(static_cast<std::int16_t>(i)), "") << i;
  }
}

TEST(BuiltInTables, PackerAndCompilerTablesInDetectionOrder) {
  EXPECT_EQ(Walk(&PackerSignature, "Selesai:Selesai"),
            (Strings{"0000004d4557:MEW", "555058210c09:UPX", "c02e61737061636b00:Aspack",
                     "89085045436f6d70616374:PECompact"}));
  EXPECT_EQ(Walk(&CompilerSignature, "Selesai:Selesai"),
            (Strings{"0000004d535642564d36302e444c4c000000:MS Visual Basic 6.0",
                     "5700650064000300540068007500030046007200690003005300610074:Borland Delphi 7",
                     "000000004d6963726f736f66742056697375616c20432b2b2052756e74696d65:MS Visual C++"}));
  for (std::int16_t i : {0, 6, 100, 101}) {
    EXPECT_EQ(PackerSignature(i), "") << i;
    EXPECT_EQ(CompilerSignature(i), "") << i;
  }
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

TEST(VirusEntrySplit, BuiltInEntriesSplitIntoPatternNameAndSize) {
  VirusEntry e = SplitVirusEntry(VirusSignature(4));
  EXPECT_EQ(e.pattern, "15e01040008d4dc88d55d851526a02");
  EXPECT_EQ(e.name, "w32.TunggulKawung.C");
  EXPECT_EQ(e.size, 175104);
  EXPECT_EQ(SplitVirusEntry(VirusSignature(2)).size, 100);
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
