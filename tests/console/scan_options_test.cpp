#include "console/scan_options.h"

#include <gtest/gtest.h>

#include <cstring>

#include "console/console_text.h"
#include "console/manual_page.h"
#include "console/option_table.h"

namespace tarvex::console {
namespace {

using Action = ParsedCommandLine::Action;
using Args = std::vector<std::string>;

TEST(ScanCommandLine, OptionsAndPaths) {
  struct Case {
    Args args;
    Args paths;
    std::string database;
    std::string mark;
    bool summary;
    bool quiet;
    bool heuristics = true;
  };
  const Case cases[] = {
      {{"D:\\Data"}, {"D:\\Data"}, "", "", true, false},
      {{"a", "b", "c"}, {"a", "b", "c"}, "", "", true, false},
      {{"--db", "x.db", "a"}, {"a"}, "x.db", "", true, false},
      {{"--db=x.db", "a"}, {"a"}, "x.db", "", true, false},
      {{"a", "--no-summary", "b"}, {"a", "b"}, "", "", false, false},
      {{"-q", "a"}, {"a"}, "", "", true, true},
      {{"--quiet", "a"}, {"a"}, "", "", true, true},
      {{"--mark", "cbf43926", "a"}, {"a"}, "", "CBF43926", true, false},
      {{"--mark=0000abcd", "a"}, {"a"}, "", "ABCD", true, false},
      {{"--", "--db", "-q"}, {"--db", "-q"}, "", "", true, false},  // after "--" every word is a path
      {{"-", "a"}, {"-", "a"}, "", "", true, false},
      {{"--no-heuristics", "a"}, {"a"}, "", "", true, false, false},
  };
  for (const Case& c : cases) {
    ParsedCommandLine p = ParseCommandLine(c.args);
    ASSERT_EQ(p.action, Action::Scan) << c.args[0] << ": " << p.error;
    EXPECT_EQ(p.options.paths, c.paths);
    EXPECT_EQ(p.options.database, c.database);
    EXPECT_EQ(p.options.mark, c.mark);
    EXPECT_EQ(p.options.summary, c.summary);
    EXPECT_EQ(p.options.quiet, c.quiet);
    EXPECT_EQ(p.options.heuristics, c.heuristics);
  }
}

TEST(ScanCommandLine, HelpAndVersionWinOverEverythingBefore) {
  EXPECT_EQ(ParseCommandLine({"--help"}).action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"-h", "--bogus"}).action, Action::Help);
#ifdef _WIN32
  EXPECT_EQ(ParseCommandLine({"/?"}).action, Action::Help);
#endif
  EXPECT_EQ(ParseCommandLine({"a", "--version"}).action, Action::Version);
}

TEST(ScanCommandLine, BadArgumentsAreUsageErrorsThatSayWhatIsWrong) {
  struct Case {
    Args args;
    std::string says;
  };
  const Case cases[] = {
      {{}, "no folder or file to scan"},
      {{"--quiet"}, "no folder or file to scan"},
      {{"--frobnicate", "a"}, "unknown option '--frobnicate'"},
      {{"-x", "a"}, "unknown option '-x'"},
      {{"a", "--db"}, "--db needs a database file"},
      {{"--db=", "a"}, "--db needs a database file"},
      {{"a", "--mark"}, "--mark needs a checksum"},
      {{"--mark", "xyz", "a"}, "--mark 'xyz' is no checksum"},
      {{"--mark", "123456789", "a"}, "--mark '123456789' is no checksum"},
      {{"--mark=", "a"}, "--mark needs a checksum"},
      {{"--mark", "", "a"}, "--mark needs a checksum"},
      {{"--mark", "0", "a"}, "--mark '0' would mark every empty or unreadable file"},
      {{"--mark=00000000", "a"}, "--mark '00000000' would mark every empty or unreadable file"},
      {{"a", ""}, "an empty path"},
  };
  for (const Case& c : cases) {
    ParsedCommandLine p = ParseCommandLine(c.args);
    EXPECT_EQ(p.action, Action::UsageError) << c.says;
    EXPECT_NE(p.error.find(c.says), std::string::npos) << p.error;
  }
}

// What every row of the table must be for the parser, --help and the manual
// page made from it to work.
TEST(ScanCommandLine, EveryOptionOfTheTableParsesAndIsShownAsWritten) {
  const std::string help = HelpText("x.db"), page = ManualPage("@OPTIONS@\n", "1");
  for (const OptionSpec& option : CommandLineOptions()) {
    SCOPED_TRACE(option.name);
    EXPECT_EQ(FindOption(option.name), &option);
    EXPECT_EQ(std::string(option.name).rfind("--", 0), 0u);
    EXPECT_NE(help.find("\n  " + OptionSynopsis(option) + ' '), std::string::npos);
    EXPECT_NE(page.find(RoffText(option.name)), std::string::npos);
    for (std::size_t from = 0, to = 0; from < std::strlen(option.help); from = to + 1) {
      to = std::min(std::string(option.help).find('\n', from), std::strlen(option.help));
      EXPECT_LE(to - from, 58u) << "a line of --help would pass 78 columns";
    }
    if (option.value == OptionValue::None) {
      EXPECT_EQ(ParseCommandLine({std::string(option.name) + "=x", "a"}).action, Action::UsageError);
      continue;
    }
    ASSERT_NE(option.missing, nullptr);
    EXPECT_EQ(ParseCommandLine({"a", option.name}).error, option.missing);
    EXPECT_EQ(ParseCommandLine({std::string(option.name) + "=", "a"}).error, option.missing);
    const ParsedCommandLine apart = ParseCommandLine({option.name, "1F", "a"});
    const ParsedCommandLine joined = ParseCommandLine({std::string(option.name) + "=1F", "a"});
    EXPECT_EQ(apart.action, joined.action);
    EXPECT_EQ(apart.error, joined.error);
  }
}

TEST(ScanCommandLine, RoffShowsTextLiterally) {
  EXPECT_EQ(RoffText("C:\\Karantina --move"), "C:\\eKarantina \\-\\-move");
  EXPECT_EQ(RoffText(".x 'y'"), "\\&.x 'y'");
}

TEST(ScanCommandLine, ChecksumsTakeTheDatabaseKeyForm) {
  EXPECT_EQ(NormalizedChecksum("FFFFFFFF"), "FFFFFFFF");
  EXPECT_EQ(NormalizedChecksum("00000000"), "0");
  EXPECT_EQ(NormalizedChecksum("6851cf3c"), "6851CF3C");
  EXPECT_EQ(NormalizedChecksum("0x12"), std::nullopt);
  EXPECT_EQ(NormalizedChecksum("100000000"), std::nullopt);
  EXPECT_EQ(NormalizedChecksum("-1"), std::nullopt);
}

}  // namespace
}  // namespace tarvex::console
