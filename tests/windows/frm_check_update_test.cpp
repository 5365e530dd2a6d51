#include "windows/frm_check_update.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "signatures/database_check.h"
#include "signatures/temp_files.h"
#include "support/fake_frame.h"
#include "support/file_content.h"

namespace tarvex {
namespace {

using F = frmCheckUpdate;
constexpr const char* kInstalled = "6851CF3C:EICAR-Test-File\r\nSelesai:Selesai\r\n";
constexpr const char* kPublished = "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\nSelesai:Selesai\r\n";
constexpr const char* kFailed = "Maaf,proses gagal. Ada Error";

// The real file operations, one of which can be made to fail.
struct FailingFiles : sys::ReplacementFiles {
  enum Step { None, WriteTemporary, WriteBackup, Replace } fail = None;
  sys::ReplacementFiles& real = sys::SystemReplacementFiles();
  std::string temporaryAtReplace;

  std::vector<sys::FoundFile> Find(const std::string& f, const std::string& p) override { return real.Find(f, p); }
  std::optional<std::int64_t> Length(const std::string& path) override { return real.Length(path); }
  std::optional<std::int64_t> LastWrite(const std::string& path) override { return real.LastWrite(path); }
  std::optional<std::vector<unsigned char>> Read(const std::string& path) override { return real.Read(path); }
  bool WriteFlushed(const std::string& path, const std::vector<unsigned char>& bytes) override {
    real.WriteFlushed(path, bytes);
    return !(fail == WriteTemporary && path.ends_with(".new")) && !(fail == WriteBackup && path.ends_with(".bak"));
  }
  bool MoveReplacing(const std::string& from, const std::string& to) override {
    temporaryAtReplace = testing::FileContent(from);
    return fail != Replace && real.MoveReplacing(from, to);
  }
  void Remove(const std::string& path) override { real.Remove(path); }
};

// The window over a real program folder and Downloads folder.
struct Window {
  testing::TempFolder program, downloads;
  FailingFiles files;
  std::vector<std::string> opened;
  F state{{
      .shellOpen = [this](const std::string& address) { opened.push_back(address); },
      .databasePath = [this] { return program.Path("Tarvex.db"); },
      .downloadsFolder = [this]() -> std::optional<std::string> { return downloads.Folder(); },
      .files = files,
  }};
  testing::FakeFrame frame;

  // The installed database was written an hour ago, the download
  // `secondsLater` after it.
  const std::filesystem::file_time_type installedAt =
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  void Install(const std::string& content) {
    std::filesystem::last_write_time(program.Write("Tarvex.db", content), installedAt);
  }
  void Download(const std::string& content, int secondsLater = 3600) {
    std::filesystem::last_write_time(downloads.Write("Tarvex.db", content),
                                     installedAt + std::chrono::seconds(secondsLater));
  }

  std::string Text(int id) const { return state.Controls().Text(id); }
  bool Counting() const { return state.Timers().Running(F::tmrAuto); }
  std::string Database() const { return testing::FileContent(program.Path("Tarvex.db")); }
};

TEST(DownloadWindowSequence, EndsAsTheDatabaseAndTheDownloadAllow) {
  struct Case {
    const char* what;
    const char* installed;  // nullptr: no Tarvex.db
    const char* download;   // nullptr: nothing downloaded
    const char* status;
    const char* panel;
    const char* databaseAfter;
    int downloadedLater = 3600;  // seconds after the installed database was written
  };
  const Case cases[] = {
      {"nothing downloaded", kInstalled, nullptr, "Download Selesai.", "Selesai.", kInstalled},
      {"same database downloaded", kInstalled, kInstalled, "Download Selesai.", "Selesai.", kInstalled},
      {"new database downloaded", kInstalled, kPublished, "Download Selesai.", "Selesai.", kPublished},
      {"older download left alone", kInstalled, kPublished, "Download Selesai.", "Selesai.", kInstalled, -86400},
      {"download as old as the database", kInstalled, kPublished, "Download Selesai.", "Selesai.", kInstalled, 0},
      {"empty installed database", "", kPublished, "Starting Download file...", "Harap tunggu...", ""},
      {"no installed database", nullptr, kPublished, kFailed, "Harap tunggu...", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    if (c.installed) w.Install(c.installed);
    if (c.download) w.Download(c.download, c.downloadedLater);
    w.frame.busyCursor = true;
    w.frame.Load(w.state);
    EXPECT_EQ(w.Text(F::lblstatus), c.status);
    EXPECT_EQ(w.Text(F::sbStatus), c.panel);
    EXPECT_EQ(w.Text(F::cmdClose), "Keluar");
    EXPECT_EQ(w.Counting(), c.status != std::string(kFailed));
    EXPECT_FALSE(w.frame.busyCursor);
    EXPECT_EQ(w.opened, (std::vector<std::string>{"http://www.tarvex.web.id/download/Tarvex.db"}));
    EXPECT_EQ(w.Database(), c.databaseAfter);
    const bool replaced = c.databaseAfter != std::string(c.installed ? c.installed : "");
    EXPECT_EQ(testing::FileContent(w.program.Path("Tarvex.db.bak")), replaced ? kInstalled : "");
    EXPECT_FALSE(std::filesystem::exists(w.program.Path("Tarvex.db.new")));
  }
}

// A valid database in all but its length.
std::string OverTheSizeLimit() {
  const std::string key = "1A2B:", end = "\r\nSelesai:Selesai\r\n";
  std::string database = key + std::string(kMaxDatabaseBytes + 1 - key.size() - end.size(), 'W') + end;
  EXPECT_EQ(CheckDatabaseText(std::string(database).erase(key.size(), 1)).fault, DatabaseFault::None);
  return database;
}

TEST(DownloadWindowSequence, ABadDownloadOrAFailingStepLeavesTheDatabaseAsItWas) {
  struct Case {
    const char* what;
    std::string download;
    FailingFiles::Step fail;
  };
  const Case cases[] = {
      {"truncated", "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\nSelesai:Sel", FailingFiles::None},
      {"no sentinel", "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\n", FailingFiles::None},
      {"lower-case key", "6851cf3c:EICAR-Test-File\r\nSelesai:Selesai\r\n", FailingFiles::None},
      {"zero-padded key", "00001A2B:W32.Baru\r\nSelesai:Selesai\r\n", FailingFiles::None},
      {"NUL bytes", std::string("1A2B:W32.Ba\0ru\r\nSelesai:Selesai\r\n", 33), FailingFiles::None},
      {"one byte over the size limit", OverTheSizeLimit(), FailingFiles::None},
      {"temporary file not written", kPublished, FailingFiles::WriteTemporary},
      {"backup not written", kPublished, FailingFiles::WriteBackup},
      {"replace fails after the temporary file", kPublished, FailingFiles::Replace},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    w.Install(kInstalled);
    w.Download(c.download);
    w.files.fail = c.fail;
    w.frame.Load(w.state);
    EXPECT_EQ(w.Text(F::lblstatus), kFailed);
    EXPECT_FALSE(w.Counting());
    EXPECT_TRUE(w.state.Controls().Enabled(F::cmdClose));
    EXPECT_EQ(w.Database(), kInstalled);
    EXPECT_FALSE(std::filesystem::exists(w.program.Path("Tarvex.db.new")));
    if (c.fail == FailingFiles::Replace) {
      EXPECT_EQ(w.files.temporaryAtReplace, kPublished);
    }
  }
}

TEST(DownloadWindowSequence, IsBusyWithBatalWhileTheEventQueueRunsAndBatalEndsTheWait) {
  Window w;
  w.program.Write("Tarvex.db", kInstalled);
  w.frame.onDoEvents = [&] {
    EXPECT_TRUE(w.frame.busyCursor);
    EXPECT_EQ(w.Text(F::cmdClose), "Batal");
    EXPECT_TRUE(w.opened.empty());  // the shell comes after the queue has run
    w.state.Click(F::cmdClose);
    EXPECT_EQ(w.Text(F::cmdClose), "Keluar");
    EXPECT_EQ(w.Text(F::lblstatus), "Menutup sesi Update.");
    EXPECT_EQ(w.Text(F::sbStatus), "Selesai.");
    EXPECT_TRUE(w.Counting());
    EXPECT_FALSE(w.frame.busyCursor);
  };
  w.frame.Load(w.state);
  EXPECT_EQ(w.frame.events, 1);
  EXPECT_EQ(w.Text(F::lblstatus), "Download Selesai.") << "the sequence goes on to its end";
}

TEST(DownloadWindowCountdown, CountsThirtySecondsAndCarriesItsCountIntoLaterShowings) {
  Window w;
  w.program.Write("Tarvex.db", kInstalled);
  w.frame.Load(w.state);
  w.frame.Tick(F::tmrAuto);
  EXPECT_EQ(w.Text(F::lblAuto), "Otomatis keluar dalam 29 Detik.");
  for (int tick = 2; tick <= 5; ++tick) w.frame.Tick(F::tmrAuto);
  w.state.Click(F::cmdClose);  // "Keluar": closes at once, the count stays
  EXPECT_FALSE(w.state.Loaded());
  EXPECT_FALSE(w.Counting());

  w.frame.Load(w.state);
  w.frame.Tick(F::tmrAuto);
  EXPECT_EQ(w.Text(F::lblAuto), "Otomatis keluar dalam 24 Detik.");
  for (int tick = 7; tick <= 30; ++tick) w.frame.Tick(F::tmrAuto);
  EXPECT_EQ(w.Text(F::lblAuto), "Otomatis keluar dalam 0 Detik.");
  ASSERT_TRUE(w.state.Loaded());
  w.frame.Tick(F::tmrAuto);
  EXPECT_FALSE(w.state.Loaded());

  // A second sequence in the same run closes one tick after its success.
  w.frame.Load(w.state);
  EXPECT_TRUE(w.frame.Tick(F::tmrAuto));
  EXPECT_FALSE(w.state.Loaded());
  EXPECT_EQ(w.Text(F::lblAuto), "") << "no number shown";
}

}  // namespace
}  // namespace tarvex
