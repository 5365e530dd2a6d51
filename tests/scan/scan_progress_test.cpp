#include "scan/scan_progress.h"

#include <gtest/gtest.h>

namespace tarvex {
namespace {

TEST(StatusLine, PathsUpToFiftyCharactersAreShownWhole) {
  const std::string folder = "C:\\Program Files\\Tarvex\\Data\\";  // 29 characters
  const std::string name21 = "abcdefghijklmnopq.exe";
  ASSERT_EQ((folder + name21).size(), 50u);
  EXPECT_EQ(StatusLineFor(folder, name21), folder + name21);

  const std::string name22 = "abcdefghijklmnopqr.exe";
  EXPECT_EQ(StatusLineFor(folder, name22), "C:\\Program Files\\...\\...hijklmnopqr.exe");
}

TEST(StatusLine, ShortNamesFollowTheEllipsisWhole) {
  const std::string folder = "C:\\Program Files\\Some Vendor\\Some Product\\bin\\";
  EXPECT_EQ(StatusLineFor(folder, "setup.exe"), "C:\\Program Files\\...\\setup.exe");
  EXPECT_EQ(StatusLineFor(folder, "fourteen_c.exe"), "C:\\Program Files\\...\\fourteen_c.exe");
  // Fifteen characters are also whole, behind a second ellipsis.
  EXPECT_EQ(StatusLineFor(folder, "fifteen_ch.exe1"), "C:\\Program Files\\...\\...fifteen_ch.exe1");
  EXPECT_EQ(StatusLineFor(folder, "a_much_longer_file_name.exe"), "C:\\Program Files\\...\\...r_file_name.exe");
}

TEST(StatusLine, FolderWithoutASecondBackslashHasNoPrefix) {
  const std::string folder = "\\\\";  // odd, but must not crash
  EXPECT_EQ(StatusLineFor(folder, std::string(60, 'x')), "...\\..." + std::string(15, 'x'));
  const std::string root = "C:\\";
  EXPECT_EQ(StatusLineFor(root, std::string(48, 'y')), "...\\..." + std::string(15, 'y'));
}

TEST(StatusLine, APathOfTheHostIsAbridgedAtItsOwnSeparator) {
  EXPECT_EQ(StatusLineFor("/home/user/Downloads/some/deeper/folder/of/files/", "setup.exe"),
            "/home/.../setup.exe");
}

// Names in other scripts are measured in characters: a path that reads as 50
// characters is whole even when its bytes are many more, and a name is cut
// between characters, never inside one.
TEST(StatusLine, LengthsCountCharactersNotBytes) {
  const std::string folder = "C:\\вирус\\вирус\\";  // 15 characters, 25 bytes
  const std::string name35 = "вирусвирусвирусвирусвирусвирусabcde";
  EXPECT_EQ(StatusLineFor(folder, name35), folder + name35);
  EXPECT_EQ(StatusLineFor(folder, name35 + "f"), "C:\\вирус\\...\\...ирусвирусabcdef");

  const std::string deep = "C:\\Program Files\\Some Vendor\\Some Product\\bin\\";
  const std::string cjk14 = "病毒病毒病毒病毒病毒病毒病毒";
  EXPECT_EQ(StatusLineFor(deep, cjk14), "C:\\Program Files\\...\\" + cjk14) << "14 characters are whole";
  EXPECT_EQ(StatusLineFor(deep, "😈" + cjk14), "C:\\Program Files\\...\\...😈" + cjk14);
  EXPECT_EQ(StatusLineFor(deep, "ab😈" + cjk14), "C:\\Program Files\\...\\...😈" + cjk14);

  // The top folder is looked for from the 4th character, not the 4th byte.
  EXPECT_EQ(StatusLineFor("\\ü\\abc\\" + std::string(40, 'd') + "\\", "setup.exe"), "\\ü\\abc\\...\\setup.exe");
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
