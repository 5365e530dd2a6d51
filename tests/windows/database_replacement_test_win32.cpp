#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "signatures/temp_files.h"
#include "system/replacement_files.h"
#include "windows/database_replacement.h"

namespace tarvex {
namespace {

std::string Content(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DatabaseReplacementOnWindows, ADownloadStillLockedByTheBrowserChangesNothing) {
  testing::TempFolder program, downloads;
  const std::string installed = "ABC:Lama\r\nSelesai:Selesai\r\n";
  std::string database = program.Write("Tarvex.db", installed);
  std::string candidate = downloads.Write("Tarvex.db", "DEF:Baru\r\nSelesai:Selesai\r\n");
  HANDLE lock = CreateFileA(candidate.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ReplaceDatabase(sys::SystemReplacementFiles(), database, downloads.Folder()), Replacement::Failed);
  CloseHandle(lock);
  EXPECT_EQ(Content(database), installed);
  EXPECT_EQ(ReplaceDatabase(sys::SystemReplacementFiles(), database, downloads.Folder()), Replacement::Replaced);
}

TEST(DownloadsFolderOnWindows, IsTheUsersKnownDownloadsFolder) {
  std::optional<std::string> folder = sys::DownloadsFolder();
  ASSERT_TRUE(folder);
  EXPECT_TRUE(folder->ends_with("\\Downloads")) << *folder;
}

}  // namespace
}  // namespace tarvex
