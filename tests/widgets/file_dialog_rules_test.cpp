#include "widgets/file_dialog_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvex::filedlg {
namespace {

using namespace std::string_literals;

TEST(FileDialogFilter, BarsAndColonsBecomeNulsAndTheEntryIsFoundByNumber) {
  EXPECT_EQ(BuildFilter("All (*.*)| *.*"), "All (*.*)\0 *.*\0\0"s);
  EXPECT_EQ(BuildFilter(""), "\0\0"s);

  struct Case {
    const char* filter;
    int index;
    std::string entry;
  };
  const Case cases[] = {
      {"All (*.*)| *.*", 1, "All (*.*)\0 *.*"s},
      {"Text (*.txt)|*.txt|All|*.*", 2, "All\0*.*"s},
      {"Text (*.txt)|*.txt|All|*.*", 3, ""},
      {"Text (*.txt)|*.txt", 0, ""},
      {"Text (*.txt)|*.txt", -1, ""},
      {"", 1, ""},
      // A colon splits a description like a bar: the pairs shift.
      {"Docs: Word|*.doc", 1, "Docs\0 Word"s},
      {"Docs: Word|*.doc", 2, "*.doc\0"s},
  };
  for (const Case& c : cases) EXPECT_EQ(FilterEntry(BuildFilter(c.filter), c.index), c.entry) << c.filter << " #" << c.index;
}

TEST(FileDialogFlags, HookAndTemplateBitsGoAndTheOptionsAddTheirs) {
  EXPECT_EQ(OpenFlags(0, true, false, false, false), 0x1000);
  EXPECT_EQ(OpenFlags(0x20 | 0x40 | 0x8, false, false, false, false), 0x8);
  EXPECT_EQ(OpenFlags(0, true, true, true, true), 0x1000 | 0x200 | 0x1 | 0x4);
  EXPECT_EQ(SaveFlags(0x60, true), 0x2);
}

TEST(FileDialogBuffers, AreTwoHundredSixtyCharactersWithAClosingNul) {
  std::string b = Buffer("C:\\a.txt");
  ASSERT_EQ(b.size(), 260u);
  EXPECT_EQ(UpToNul(b), "C:\\a.txt");
  std::string longName(300, 'x');
  EXPECT_EQ(UpToNul(Buffer(longName)).size(), 259u);
}

TEST(FileDialogOutcome, ConfirmFillsEverythingCancelAndFailureEmptyIt) {
  std::string built = BuildFilter("Text|*.txt|All|*.*");
  Reply confirmed{1, Buffer("C:\\d\\a.txt"), Buffer("a.txt"), 0x1001, 2};
  Outcome out = Interpret(confirmed, built);
  EXPECT_TRUE(out.confirmed);
  EXPECT_EQ(out.Filename, "C:\\d\\a.txt");
  EXPECT_EQ(out.FileTitle, "a.txt");
  EXPECT_EQ(out.Filter, "All\0*.*"s);
  EXPECT_EQ(out.FilterIndex, 2);
  EXPECT_EQ(out.flags, 0x1001);
  EXPECT_TRUE(out.readOnlyTicked);

  for (int apiReturn : {0, 2}) {
    Outcome none = Interpret({apiReturn, Buffer("C:\\d\\a.txt"), Buffer("a.txt"), 0x1001, 2}, built);
    EXPECT_FALSE(none.confirmed);
    EXPECT_EQ(none.Filename, "");
    EXPECT_EQ(none.FileTitle, "");
    EXPECT_EQ(none.Filter, "");
    EXPECT_EQ(none.FilterIndex, -1);
    EXPECT_EQ(none.flags, 0);
    EXPECT_FALSE(none.readOnlyTicked);
  }
}

}  // namespace
}  // namespace tarvex::filedlg
