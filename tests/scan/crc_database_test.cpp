#include "scan/crc_database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "signatures/signature_database.h"
#include "signatures/temp_files.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using State = CrcDatabase::State;

class CrcDatabaseTest : public ::testing::Test {
 protected:
  // Writes the database and gives it a last-write time of its own choosing.
  void Write(const std::string& text, int secondsAfterStart) {
    tmp_.Write("Tarvex.db", text);
    fs::last_write_time(db_.Path(), start_ + std::chrono::seconds(secondsAfterStart));
  }

  testing::TempFolder tmp_;
  CrcDatabase db_{tmp_.Path("Tarvex.db"),
                 {.stamp = sys::FileStampOf, .read = [](const std::string& path, sys::FileBuffer& into) {
                    return sys::ReadFileIfShorter(path, INT64_MAX, into).read;
                  }}};
  fs::file_time_type start_ = fs::file_time_type::clock::now() - std::chrono::hours(1);
};

TEST_F(CrcDatabaseTest, ReadAgainOnlyWhenSizeOrLastWriteTimeChanges) {
  Write("AAA:w32.One\r\nSelesai:Selesai\r\n", 0);
  EXPECT_EQ(db_.Refresh(), State::Loaded);
  EXPECT_EQ(db_.Lookup("AAA"), "w32.One");
  EXPECT_EQ(db_.Refresh(), State::Unchanged);

  // Same size, later time: a new download of the same length.
  Write("AAA:w32.Two\r\nSelesai:Selesai\r\n", 10);
  EXPECT_EQ(db_.Refresh(), State::Loaded);
  EXPECT_EQ(db_.Lookup("AAA"), "w32.Two");

  // Other size, same time (a copy that kept the old time).
  Write("AAA:w32.Three\r\nSelesai:Selesai\r\n", 10);
  EXPECT_EQ(db_.Refresh(), State::Loaded);
  EXPECT_EQ(db_.Lookup("AAA"), "w32.Three");
  EXPECT_EQ(db_.Table().Health().signatures, 1u);
}

TEST_F(CrcDatabaseTest, MissingFileFindsNothingAndIsTriedAgain) {
  EXPECT_EQ(db_.Refresh(), State::Unreadable);
  EXPECT_EQ(db_.Lookup("AAA"), "");

  Write("AAA:w32.Late\r\nSelesai:Selesai\r\n", 0);
  EXPECT_EQ(db_.Refresh(), State::Loaded);
  EXPECT_EQ(db_.Lookup("AAA"), "w32.Late");

  fs::remove(db_.Path());
  EXPECT_EQ(db_.Refresh(), State::Unreadable);
  EXPECT_EQ(db_.Lookup("AAA"), "") << "a vanished database lists nothing, as reading it afresh would";
}

}  // namespace
}  // namespace tarvex
