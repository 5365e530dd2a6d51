#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "signatures/temp_files.h"
#include "system/files.h"
#include "system/replacement_files.h"
#include "windows/database_replacement.h"

namespace tarvex {
namespace {

TEST(DatabaseReplacementOnWindows, ADownloadTheBrowserStillHoldsIsUnreadableAndChangesNothing) {
  testing::TempFolder program, downloads;
  std::string database = program.Write("Tarvex.db", "ABC:Lama\r\nSelesai:Selesai\r\n");
  std::string candidate = downloads.Write("Tarvex.db", "DEF:Baru\r\nSelesai:Selesai\r\n");
  std::filesystem::last_write_time(candidate, std::filesystem::last_write_time(database) + std::chrono::minutes(1));
  HANDLE lock = CreateFileA(candidate.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReplaceDatabase(sys::SystemReplacementFiles(), database, downloads.Folder()), Replacement::Failed);
  CloseHandle(lock);
  std::vector<unsigned char> kept = sys::ReadWholeFile(database).value();
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "ABC:Lama\r\nSelesai:Selesai\r\n");
  EXPECT_EQ(ReplaceDatabase(sys::SystemReplacementFiles(), database, downloads.Folder()), Replacement::Replaced);
}

TEST(DownloadsFolderOnWindows, IsTheUsersKnownDownloadsFolder) {
  std::optional<std::string> folder = sys::DownloadsFolder();
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->ends_with("\\Downloads")) << *folder;
}

}  // namespace
}  // namespace tarvex
