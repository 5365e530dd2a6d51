#include "signatures/signature_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "signatures/sequential_input.h"
#include "temp_files.h"

namespace tarvex {
namespace {

std::vector<std::string> Fields(std::string_view text) {
  std::vector<std::string> out;
  SequentialInput input(text);
  while (auto f = input.Next()) out.push_back(*f);
  return out;
}

using Strings = std::vector<std::string>;

TEST(SequentialInputFields, LineEndsAndCommasEndAField) {
  EXPECT_EQ(Fields("A:1\r\nB:2\r\n"), (Strings{"A:1", "B:2"}));
  EXPECT_EQ(Fields("A:1\nB:2"), (Strings{"A:1", "B:2"}));
  EXPECT_EQ(Fields("A:1\rB:2\r"), (Strings{"A:1", "B:2"}));
  EXPECT_EQ(Fields("A:1,B:2\r\nC:3"), (Strings{"A:1", "B:2", "C:3"}));
  EXPECT_EQ(Fields(""), Strings{});
}

TEST(SequentialInputFields, BlanksAroundAFieldAreDroppedButNotInside) {
  EXPECT_EQ(Fields("  A B:x \t\r\n\tC"), (Strings{"A B:x", "C"}));
}

TEST(SequentialInputFields, BlankLinesAndTrailingCommasGiveEmptyFields) {
  EXPECT_EQ(Fields("A\r\n\r\nB"), (Strings{"A", "", "B"}));
  EXPECT_EQ(Fields("A,\r\nB"), (Strings{"A", "", "B"}));
}

TEST(SequentialInputFields, QuotedFieldRunsToTheNextQuote) {
  EXPECT_EQ(Fields("\"A,B:c\"\r\nD"), (Strings{"A,B:c", "D"}));
  // Across a line end, and with the rest up to the delimiter discarded.
  EXPECT_EQ(Fields("\"A\r\nB\"junk,C"), (Strings{"A\r\nB", "C"}));
  // An unclosed quote runs to the end of the text.
  EXPECT_EQ(Fields("X\r\n\"open:end"), (Strings{"X", "open:end"}));
  // A quote inside a field is ordinary text.
  EXPECT_EQ(Fields("A\"B\r\n"), (Strings{"A\"B"}));
}

TEST(SequentialInputFields, NulBytesAreOrdinaryText) {
  std::string text("A\0B:n\0me\r\nC", 11);
  EXPECT_EQ(Fields(text), (Strings{std::string("A\0B:n\0me", 8), "C"}));
}

class LookupCrcTest : public ::testing::Test {
 protected:
  std::string Db(const std::string& text) { return dir_.Write("Tarvex.db", text); }

  testing::TempFolder dir_;
};

TEST_F(LookupCrcTest, FindsTheNameOfTheFirstEntryWithTheKey) {
  std::string db = Db("1A2B3C4D:w32.Example.A\r\n9F00E1:w32.Example.B\r\n"
                      "9F00E1:w32.Later\r\nABC:w32.Name:extra\r\nSelesai:Selesai\r\n");
  EXPECT_EQ(LookupCrcInFile(db, "1A2B3C4D"), "w32.Example.A");
  EXPECT_EQ(LookupCrcInFile(db, "9F00E1"), "w32.Example.B");
  EXPECT_EQ(LookupCrcInFile(db, "ABC"), "w32.Name:extra");
  EXPECT_EQ(LookupCrcInFile(db, "CBF43926"), "");
}

TEST_F(LookupCrcTest, KeysAreExactText) {
  std::string db = Db("abc:lower\r\n00ABCD:padded\r\nSelesai:Selesai\r\n");
  EXPECT_EQ(LookupCrcInFile(db, "ABC"), "");
  EXPECT_EQ(LookupCrcInFile(db, "ABCD"), "");
  EXPECT_EQ(LookupCrcInFile(db, "abc"), "lower");
}

TEST_F(LookupCrcTest, NothingAfterTheSentinelIsRead) {
  EXPECT_EQ(LookupCrcInFile(Db("Selesai:Selesai\r\n"), "0"), "");
  EXPECT_EQ(LookupCrcInFile(Db("Selesai:Selesai\r\nABC:w32.Hidden\r\n"), "ABC"), "");
}

TEST(UserMark, WinsOverWhatTheDatabaseFoundAndAnEmptyOneMarksNothing) {
  struct Case {
    const char* found;
    const char* checksum;
    const char* mark;
    const char* name;
  } cases[] = {
      {"w32.Listed", "CBF43926", "CBF43926", "Permintaan User"},
      {"", "CBF43926", "CBF43926", "Permintaan User"},  // unlisted, or no database at all
      {"w32.Listed", "CBF43926", "ABC", "w32.Listed"},
      {"", "352441C2", "CBF43926", ""},
      {"nameless key", "", "", "nameless key"},
      {"", "", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(WithUserMark(c.found, c.checksum, c.mark), c.name) << c.checksum << " / " << c.mark;
}

TEST_F(LookupCrcTest, DamagedLinesDoNotHideLaterSignatures) {
  std::string db = Db("no colon here\r\n\r\n\r\nA1:w32.After\n"
                      "\"quoted,with comma:x\"\r\nB2:w32.Last\r\nSelesai:Selesai\r\n");
  EXPECT_EQ(LookupCrcInFile(db, "A1"), "w32.After");
  EXPECT_EQ(LookupCrcInFile(db, "B2"), "w32.Last");
  EXPECT_EQ(LookupCrcInFile(db, "no colon here"), "");
  EXPECT_EQ(LookupCrcInFile(db, "quoted,with comma"), "x");
}

TEST_F(LookupCrcTest, ACommaSplitsALineIntoTwoEntries) {
  std::string db = Db("A1:w32.Alpha,B2:w32.Beta\r\nSelesai:Selesai\r\n");
  EXPECT_EQ(LookupCrcInFile(db, "A1"), "w32.Alpha");
  EXPECT_EQ(LookupCrcInFile(db, "B2"), "w32.Beta");
}

TEST_F(LookupCrcTest, WithoutSentinelTheFileEndsTheSearch) {
  std::string db = Db("A1:w32.Alpha\r\nB2:w32.Beta");
  EXPECT_EQ(LookupCrcInFile(db, "B2"), "w32.Beta");
  EXPECT_EQ(LookupCrcInFile(db, "C3"), "");
}

TEST_F(LookupCrcTest, NulBytesAndHugeLinesAreHarmless) {
  std::string text("\0\0\0\r\n", 5);
  text += std::string(1 << 20, 'Z') + ":w32.Long\r\n";
  text += std::string("N\0L:w32.Nul\r\n", 13);
  text += "C3:w32.AfterAll\r\nSelesai:Selesai\r\n";
  std::string db = Db(text);
  EXPECT_EQ(LookupCrcInFile(db, "C3"), "w32.AfterAll");
  EXPECT_EQ(LookupCrcInFile(db, std::string("N\0L", 3)), "w32.Nul");
}

TEST_F(LookupCrcTest, UnreadableDatabaseListsNothingAndLaterLookupsWork) {
  EXPECT_EQ(LookupCrcInFile(dir_.Path("missing.db"), "A1"), "");
  EXPECT_EQ(LookupCrcInFile(dir_.Folder(), "A1"), "");
  std::string db = Db("A1:w32.Alpha\r\nSelesai:Selesai\r\n");
  for (int i = 0; i < 3000; ++i) {
    ASSERT_EQ(LookupCrcInFile(db, "A1"), "w32.Alpha") << "lookup " << i;
  }
  // The file was closed after every lookup: it can be removed at once.
  std::error_code ec;
  EXPECT_TRUE(std::filesystem::remove(db, ec)) << ec.message();
  EXPECT_EQ(LookupCrcInFile(db, "A1"), "");
}

TEST(DatabaseReader, GivesEntriesTheSentinelAndTheFirstFault) {
  struct Case {
    std::string text;
    std::vector<std::string> keys;  // of every entry, in order
    std::optional<std::size_t> sentinel;
    DatabaseProblem fault;
  };
  const Case cases[] = {
      {"A1:one\r\nbroken\r\nB2:two:x\r\nSelesai:Selesai\r\nC3:after\r\n", {"A1", "broken", "B2", "Selesai", "C3"},
       3, {DatabaseFault::BadEntry, 2}},
      {"\xEF\xBB\xBF" "6851CF3C:EICAR\r\nSelesai:Selesai\r\n", {"6851CF3C", "Selesai"}, 1, {DatabaseFault::None, 0}},
      {"A1:x\r\nSelesai:Selesai\r\n\r\nB2:late", {"A1", "Selesai", "", "B2"}, 1, {DatabaseFault::AfterSentinel, 4}},
      {"\"A1:x\r\ny\"\r\nB2:a,C3:b\r\nSelesai:Selesai", {"A1", "B2", "C3", "Selesai"}, 3, {DatabaseFault::BadEntry, 1}},
      {"A1:x\r\nB2:y", {"A1", "B2"}, std::nullopt, {DatabaseFault::NoSentinel, 0}},
  };
  for (const Case& c : cases) {
    const DatabaseReading r = ReadDatabase(c.text);
    std::vector<std::string> keys;
    for (const DatabaseEntry& e : r.entries) keys.push_back(e.key);
    EXPECT_EQ(keys, c.keys) << c.text;
    EXPECT_EQ(r.sentinel, c.sentinel) << c.text;
    EXPECT_EQ(std::tie(r.fault.fault, r.fault.line), std::tie(c.fault.fault, c.fault.line)) << c.text;
  }
}

}  // namespace
}  // namespace tarvex
