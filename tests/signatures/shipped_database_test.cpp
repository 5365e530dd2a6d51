// The database that ships with the program must stay readable by the lookup
// and must let a new user see one detection without a real virus.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/database_check.h"
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

TEST(ShippedDatabase, ResolvesTheEicarTestString) {
  const char* eicar = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
  clsCRC crc;
  std::string text = ChecksumText(crc.CalculateBytes(reinterpret_cast<const unsigned char*>(eicar),
                                                     std::strlen(eicar)));
  EXPECT_EQ(LookupCrcInFile(ShippedDb(), text), "EICAR-Test-File");
}

TEST(ShippedDatabase, EveryEntryIsWellFormedAndTheSentinelEndsIt) {
  std::optional<DatabaseReading> reading = ReadDatabaseFile(ShippedDb());
  ASSERT_TRUE(reading);
  EXPECT_TRUE(CheckDatabase(*reading).ok()) << "line " << reading->fault.line;
  EXPECT_EQ(reading->sentinel, reading->entries.size() - 1) << "the sentinel must be the last line";
  for (std::size_t i = 0; i + 1 < reading->entries.size(); ++i) EXPECT_NE(reading->entries[i].name, "Selesai") << i;

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
