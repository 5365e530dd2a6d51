#include "scan/scan_progress.h"

#include <gtest/gtest.h>

#include "support/native_path.h"

namespace tarvex {
namespace {

using testing::NativePath;

TEST(StatusLine, PathsUpToFiftyCharactersAreShownWhole) {
  const std::string folder = NativePath("C:/Program Files/Tarvex/Data/");  // 29 characters
  const std::string name21 = "abcdefghijklmnopq.exe";
  ASSERT_EQ((folder + name21).size(), 50u);
  EXPECT_EQ(StatusLineFor(folder, name21), folder + name21);

  const std::string name22 = "abcdefghijklmnopqr.exe";
  EXPECT_EQ(StatusLineFor(folder, name22), NativePath("C:/Program Files/.../...hijklmnopqr.exe"));
}

TEST(StatusLine, ShortNamesFollowTheEllipsisWhole) {
  const std::string folder = NativePath("C:/Program Files/Some Vendor/Some Product/bin/");
  EXPECT_EQ(StatusLineFor(folder, "setup.exe"), NativePath("C:/Program Files/.../setup.exe"));
  EXPECT_EQ(StatusLineFor(folder, "fourteen_c.exe"), NativePath("C:/Program Files/.../fourteen_c.exe"));
  // Fifteen characters are also whole, behind a second ellipsis.
  EXPECT_EQ(StatusLineFor(folder, "fifteen_ch.exe1"), NativePath("C:/Program Files/.../...fifteen_ch.exe1"));
  EXPECT_EQ(StatusLineFor(folder, "a_much_longer_file_name.exe"),
            NativePath("C:/Program Files/.../...r_file_name.exe"));
}

TEST(StatusLine, FolderWithoutASecondSeparatorHasNoPrefix) {
  const std::string folder = NativePath("//");  // odd, but must not crash
  EXPECT_EQ(StatusLineFor(folder, std::string(60, 'x')), NativePath(".../...") + std::string(15, 'x'));
  const std::string root = NativePath("C:/");
  EXPECT_EQ(StatusLineFor(root, std::string(48, 'y')), NativePath(".../...") + std::string(15, 'y'));
}

// Names in other scripts are measured in characters: a path that reads as 50
// characters is whole even when its bytes are many more, and a name is cut
// between characters.
TEST(StatusLine, LengthsCountCharactersNotBytes) {
  const std::string cyrillic = "\xD0\xB2\xD0\xB8\xD1\x80\xD1\x83\xD1\x81";  // вирус: 5 characters, 10 bytes
  const std::string folder = NativePath("C:/") + cyrillic + NativePath("/") + cyrillic + NativePath("/");  // 15
  const std::string name35 = cyrillic + cyrillic + cyrillic + cyrillic + cyrillic + cyrillic + "abcde";
  EXPECT_EQ(StatusLineFor(folder, name35), folder + name35);
  const std::string irus = "\xD0\xB8\xD1\x80\xD1\x83\xD1\x81";  // the last four of вирус
  EXPECT_EQ(StatusLineFor(folder, name35 + "f"),
            NativePath("C:/") + cyrillic + NativePath("/.../...") + irus + cyrillic + "abcdef");

  const std::string cjk14 = "\xE7\x97\x85\xE6\xAF\x92\xE7\x97\x85\xE6\xAF\x92\xE7\x97\x85\xE6\xAF\x92"
                           "\xE7\x97\x85\xE6\xAF\x92\xE7\x97\x85\xE6\xAF\x92\xE7\x97\x85\xE6\xAF\x92"
                           "\xE7\x97\x85\xE6\xAF\x92";  // 病毒 seven times
  const std::string deep = NativePath("C:/Program Files/Some Vendor/Some Product/bin/");
  EXPECT_EQ(StatusLineFor(deep, cjk14), NativePath("C:/Program Files/.../") + cjk14) << "14 characters are whole";
  const std::string emoji = "\xF0\x9F\x98\x88";
  EXPECT_EQ(StatusLineFor(deep, emoji + cjk14), NativePath("C:/Program Files/.../...") + emoji + cjk14);
  EXPECT_EQ(StatusLineFor(deep, "ab" + emoji + cjk14), NativePath("C:/Program Files/.../...") + emoji + cjk14);

  // The top folder is looked for from the 4th character, not the 4th byte.
  const std::string top = NativePath("/\xC3\xBC/abc/");
  EXPECT_EQ(StatusLineFor(top + std::string(40, 'd') + NativePath("/"), "setup.exe"),
            top + NativePath(".../setup.exe"));
}

TEST(Counters, ReadTheLeadingNumberAndWriteWholeNumbers) {
  EXPECT_EQ(CounterValue("0"), 0);
  EXPECT_EQ(CounterValue("1234"), 1234);
  EXPECT_EQ(CounterValue(""), 0);
  EXPECT_EQ(CounterValue("12abc"), 12);
  EXPECT_EQ(IncrementedCounter("9"), "10");
  EXPECT_EQ(IncrementedCounter("99999999999"), "100000000000");
  EXPECT_EQ(CounterText(0), "0");
}

TEST(PercentComplete, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(PercentComplete(3, 1), 33);
  EXPECT_EQ(PercentComplete(8, 1), 12);  // 12.5
  EXPECT_EQ(PercentComplete(8, 3), 38);  // 37.5
  EXPECT_EQ(PercentComplete(3, 3), 100);
  EXPECT_EQ(PercentComplete(7, 7), 100);
  EXPECT_EQ(PercentComplete(10, 0), 0);
}

TEST(PercentComplete, OverHundredIsReportedAndNoTotalGivesNothing) {
  // More files in the second pass than were counted: the caller keeps the bar.
  EXPECT_EQ(PercentComplete(4, 5), 125);
  EXPECT_FALSE(PercentComplete(0, 1).has_value());
  EXPECT_FALSE(PercentComplete(1, 400).has_value()) << "40000 does not fit a 16-bit integer";
}

}  // namespace
}  // namespace tarvex
