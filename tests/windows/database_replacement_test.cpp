#include "windows/database_replacement.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "signatures/temp_files.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

TEST(DownloadedDatabase, IsTheNewestTarvexDbFileAndTheExactNameWinsATie) {
  struct File {
    const char* name;
    int ageSeconds;
  };
  struct Case {
    const char* what;
    std::vector<File> files;
    const char* chosen;  // nullptr: none
  };
  const Case cases[] = {
      {"nothing downloaded", {{"other.db", 0}, {"Tarvex.db.part", 0}, {"Tarvex.dbx", 0}}, nullptr},
      {"the one download", {{"Tarvex.db", 50}}, "Tarvex.db"},
      {"a second download is newer",
       {{"Tarvex.db", 50}, {"Tarvex (1).db", 10}, {"Tarvex (2).db", 30}},
       "Tarvex (1).db"},
      {"the plain name is newer", {{"Tarvex.db", 5}, {"Tarvex (1).db", 10}}, "Tarvex.db"},
      {"same moment", {{"Tarvex (1).db", 10}, {"Tarvex.db", 10}, {"Tarvex (2).db", 10}}, "Tarvex.db"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::TempFolder downloads;
    fs::create_directory(downloads.Path("Tarvex (9).db"));  // a folder is no download
    const auto now = fs::file_time_type::clock::now();
    for (const File& f : c.files) {
      fs::last_write_time(downloads.Write(f.name, "x"), now - std::chrono::seconds(f.ageSeconds));
    }
    std::optional<sys::FoundFile> found = DownloadedDatabase(sys::SystemReplacementFiles(), downloads.Folder());
    if (!c.chosen) {
      EXPECT_FALSE(found);
      continue;
    }
    ASSERT_TRUE(found);
    EXPECT_EQ(found->name, c.chosen);
    EXPECT_EQ(fs::path(found->path), fs::path(downloads.Path(c.chosen)));
  }
}

}  // namespace
}  // namespace tarvex
