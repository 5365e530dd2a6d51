#include "signatures/crc_signature_table.h"

#include <gtest/gtest.h>

#include <random>

#include "signatures/signature_database.h"
#include "support/damaged_database.h"

namespace tarvex {
namespace {

class CrcSignatureTableTest : public ::testing::Test {
 protected:
  // Every key the text could be asked for, and some it never holds.
  static std::vector<std::string> Probes(std::string_view text) {
    std::vector<std::string> probes = {"ABC", "abc", "0", "", "Selesai", "CBF43926", "6851CF3C"};
    for (const DatabaseEntry& e : ReadDatabase(text).entries) probes.push_back(e.key);
    return probes;
  }

  static void ExpectSameAnswers(std::string_view text) {
    const CrcSignatureTable table = CrcSignatureTable::FromText(text);
    for (const std::string& key : Probes(text)) {
      ASSERT_EQ(table.Lookup(key), LookupCrcInText(text, key)) << "key " << key << " in\n" << text;
    }
  }
};

TEST_F(CrcSignatureTableTest, AnswersAsTheSequentialReaderDoes) {
  using namespace std::string_literals;
  const std::string cases[] = {
      "",
      "Selesai:Selesai\r\n",
      "ABC:w32.First\r\nABC:w32.Second\r\nSelesai:Selesai\r\n",
      "ABC:w32.Name:extra\r\nSelesai:Selesai\r\n",
      "abc:w32.Lower\r\n0ABC:w32.Zero\r\nSelesai:Selesai\r\n",
      "Selesai:Selesai\r\nABC:w32.AfterTheEnd\r\n",
      "ABC\r\nDEF:w32.AfterNoColon\r\nSelesai:Selesai\r\n",
      "ABC:w32.NoSentinel\r\nDEF:w32.Last",
      "\"ABC:w32.Quoted, with comma\"\r\nDEF:a,0:w32.Kosong\r\n\r\nSelesai:Selesai",
      "Selesai:w32.NotTheEnd\r\nABC:w32.StillRead\r\nSelesai:Selesai\r\n",
      "AB\0C:w32.Nul\r\nSelesai:Selesai\r\n"s,
  };
  for (const std::string& text : cases) ExpectSameAnswers(text);
}

TEST_F(CrcSignatureTableTest, AnswersAsTheSequentialReaderDoesOnDamagedFiles) {
  std::mt19937 rng(12);
  for (int round = 0; round < 300; ++round) {
    ExpectSameAnswers(testing::RandomDatabaseText(rng, {"ABC", "CBF43926", "1", "FFFFFFFF"}));
  }
}

TEST_F(CrcSignatureTableTest, HealthTellsADamagedFileFromAGoodOne) {
  struct Case {
    std::string text;
    std::size_t signatures;
    std::size_t withoutColon;
    bool sentinel;
  };
  const Case cases[] = {
      {"Selesai:Selesai\r\n", 0, 0, true},
      {"A:x\r\nA:y\r\nB:z\r\nSelesai:Selesai\r\nC:after\r\n", 2, 0, true},
      {"A:x\r\nSelesai:Selesai\r\nB:y\r\nSelesai:Selesai\r\n", 1, 0, true},  // it ends at the first
      {"A:x\r\nbroken\r\nSelesai:Selesai\r\n", 1, 1, true},
      {"A:x\r\nB:y", 2, 0, false},
      {"garbage", 0, 1, false},
  };
  for (const Case& c : cases) {
    const DatabaseHealth h = CrcSignatureTable::FromText(c.text).Health();
    EXPECT_EQ(h.signatures, c.signatures) << c.text;
    EXPECT_EQ(h.entriesWithoutColon, c.withoutColon) << c.text;
    EXPECT_EQ(h.sentinelFound, c.sentinel) << c.text;
  }
  EXPECT_EQ(CrcSignatureTable::FromText("A:x\r\nbroken\r\nworse\r\n").Health().firstEntryWithoutColon, "broken");
}

}  // namespace
}  // namespace tarvex
