// The database that ships with the program must stay readable by the lookup
// and must let a new user see one detection without a real virus.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/signature_database.h"
#include "system/files.h"

#ifndef TARVEX_RESOURCES_DIR
#error "TARVEX_RESOURCES_DIR names the resources folder of the source tree"
#endif

namespace tarvex {
namespace {

std::string ShippedDb() {
#ifdef _WIN32
  return std::string(TARVEX_RESOURCES_DIR) + "\\Tarvex.db";
#else
  return std::string(TARVEX_RESOURCES_DIR) + "/Tarvex.db";
#endif
}

bool IsChecksumText(const std::string& key) {
  if (key == "0") return true;
  if (key.empty() || key.size() > 8 || key[0] == '0') return false;
  return key.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

TEST(ShippedDatabase, ResolvesTheEicarTestString) {
  const char* eicar = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
  clsCRC crc;
  std::string text = ChecksumText(crc.CalculateBytes(reinterpret_cast<const unsigned char*>(eicar),
                                                     std::strlen(eicar)));
  EXPECT_EQ(LookupCrcInFile(ShippedDb(), text), "EICAR-Test-File");
}

TEST(ShippedDatabase, EveryEntryIsWellFormedAndTheSentinelEndsIt) {
  std::vector<std::string> entries;
  ASSERT_TRUE(ForEachDatabaseEntry(ShippedDb(), [&](const std::string& e) {
    entries.push_back(e);
    return true;
  }));
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.back(), "Selesai:Selesai") << "the sentinel must be the last line";
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    DatabaseEntry e = SplitDatabaseEntry(entries[i]);
    EXPECT_TRUE(e.hasColon) << entries[i];
    EXPECT_TRUE(IsChecksumText(e.key)) << entries[i];
    EXPECT_FALSE(e.name.empty()) << entries[i];
    EXPECT_NE(e.name, "Selesai") << entries[i];
  }

  // Lines end in CR LF, and nothing that the field rules would reshape.
  auto bytes = sys::ReadWholeFile(ShippedDb());
  ASSERT_TRUE(bytes.has_value());
  std::string raw(bytes->begin(), bytes->end());
  EXPECT_EQ(raw.find_first_of(",\""), std::string::npos);
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\n') {
      EXPECT_TRUE(i > 0 && raw[i - 1] == '\r') << "bare LF at byte " << i;
    }
  }
}

}  // namespace
}  // namespace tarvex
