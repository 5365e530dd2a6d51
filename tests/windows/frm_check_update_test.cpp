#include "windows/frm_check_update.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "signatures/database_check.h"
#include "signatures/temp_files.h"
#include "support/fake_frame.h"

namespace tarvex {
namespace {

using testing::FakeFrame;
using testing::TempFolder;

constexpr const char* kInstalled = "6851CF3C:EICAR-Test-File\r\nSelesai:Selesai\r\n";
constexpr const char* kPublished = "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\nSelesai:Selesai\r\n";

std::string Content(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The program folder and the user's Downloads folder, real folders on disk.
struct Folders {
  TempFolder program;
  TempFolder downloads;
  std::string Database() const { return program.Path("Tarvex.db"); }
  std::string Backup() const { return program.Path("Tarvex.db.bak"); }
  std::string Temporary() const { return program.Path("Tarvex.db.new"); }
};

// A file store that fails one chosen operation on purpose.
class FailingStore : public sys::ReplacementFiles {
 public:
  enum class Fail { Nothing, ReadCandidate, WriteTemporary, WriteBackup, Replace };
  explicit FailingStore(Fail fail) : fail_(fail) {}

  std::vector<sys::FoundFile> Find(const std::string& f, const std::string& p) override { return real_.Find(f, p); }
  std::optional<std::int64_t> Length(const std::string& path) override { return real_.Length(path); }
  std::optional<std::vector<unsigned char>> Read(const std::string& path) override {
    if (fail_ == Fail::ReadCandidate && path != installedPath) return std::nullopt;
    return real_.Read(path);
  }
  bool WriteFlushed(const std::string& path, const std::vector<unsigned char>& bytes) override {
    bool temporary = path.ends_with(".new");
    if ((fail_ == Fail::WriteTemporary && temporary) || (fail_ == Fail::WriteBackup && path.ends_with(".bak"))) {
      real_.WriteFlushed(path, {bytes.begin(), bytes.begin() + static_cast<long>(bytes.size() / 2)});
      return false;
    }
    return real_.WriteFlushed(path, bytes);
  }
  bool MoveReplacing(const std::string& replacement, const std::string& target) override {
    temporaryBeforeReplace = Content(replacement);
    if (fail_ == Fail::Replace) return false;
    return real_.MoveReplacing(replacement, target);
  }
  void Remove(const std::string& path) override { real_.Remove(path); }

  std::string installedPath;
  std::string temporaryBeforeReplace;

 private:
  Fail fail_;
  sys::ReplacementFiles& real_ = sys::SystemReplacementFiles();
};

struct Window {
  explicit Window(Folders& folders, sys::ReplacementFiles& files = sys::SystemReplacementFiles())
      : state({
            .shellOpen = [this](const std::string& address) { opened.push_back(address); },
            .databasePath = [&folders] { return folders.Database(); },
            .downloadsFolder = [&folders]() -> std::optional<std::string> { return folders.downloads.Folder(); },
            .files = files,
        }) {}
  std::string Status() const { return state.Controls().Text(frmCheckUpdate::lblstatus); }
  std::string Panel() const { return state.Controls().Text(frmCheckUpdate::sbStatus); }
  std::string Button() const { return state.Controls().Text(frmCheckUpdate::cmdClose); }
  std::string Countdown() const { return state.Controls().Text(frmCheckUpdate::lblAuto); }
  bool Counting() const { return state.Timers().Running(frmCheckUpdate::tmrAuto); }

  std::vector<std::string> opened;
  frmCheckUpdate state;
  FakeFrame frame;
};

constexpr const char* kFailed = "Maaf,proses gagal. Ada Error";

TEST(DownloadWindowSequence, EndsAsTheDatabaseAndTheDownloadAllow) {
  struct Case {
    const char* what;
    const char* installed;  // nullptr: no Tarvex.db
    const char* download;   // nullptr: nothing downloaded
    const char* status;
    const char* panel;
    bool counting;
  };
  const Case cases[] = {
      {"nothing downloaded", kInstalled, nullptr, "Download Selesai.", "Selesai.", true},
      {"same database downloaded", kInstalled, kInstalled, "Download Selesai.", "Selesai.", true},
      {"new database downloaded", kInstalled, kPublished, "Download Selesai.", "Selesai.", true},
      {"empty installed database", "", kPublished, "Starting Download file...", "Harap tunggu...", true},
      {"no installed database", nullptr, kPublished, kFailed, "Harap tunggu...", false},
      {"invalid download", kInstalled, "6851CF3C:EICAR", kFailed, "Selesai.", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folders folders;
    if (c.installed) folders.program.Write("Tarvex.db", c.installed);
    if (c.download) folders.downloads.Write("Tarvex.db", c.download);
    Window w(folders);
    w.frame.busyCursor = true;
    w.frame.Load(w.state);
    EXPECT_EQ(w.Status(), c.status);
    EXPECT_EQ(w.Panel(), c.panel);
    EXPECT_EQ(w.Button(), "Keluar");
    EXPECT_TRUE(w.state.Controls().Enabled(frmCheckUpdate::cmdClose));
    EXPECT_EQ(w.Counting(), c.counting);
    EXPECT_FALSE(w.frame.busyCursor);
    EXPECT_EQ(w.opened, (std::vector<std::string>{"http://www.tarvex.web.id/download/Tarvex.db"}));
    EXPECT_EQ(w.state.AutoCloseLimit(), 30);
  }
}

TEST(DownloadWindowSequence, IsBusyWithBatalWhileTheEventQueueRunsAndBatalEndsTheWait) {
  Folders folders;
  folders.program.Write("Tarvex.db", kInstalled);
  Window w(folders);
  w.frame.onDoEvents = [&] {
    EXPECT_TRUE(w.frame.busyCursor);
    EXPECT_EQ(w.Button(), "Batal");
    EXPECT_EQ(w.Status(), "Menge-cek Koneksi Internet...");
    EXPECT_TRUE(w.opened.empty());  // the shell comes after the queue has run
    w.state.Click(frmCheckUpdate::cmdClose);
    EXPECT_EQ(w.Button(), "Keluar");
    EXPECT_EQ(w.Status(), "Menutup sesi Update.");
    EXPECT_EQ(w.Panel(), "Selesai.");
    EXPECT_TRUE(w.Counting());
    EXPECT_FALSE(w.frame.busyCursor);
  };
  w.frame.Load(w.state);
  EXPECT_EQ(w.frame.events, 1);
  // The sequence itself goes on to its end.
  EXPECT_EQ(w.Status(), "Download Selesai.");
  EXPECT_TRUE(w.state.Loaded());
}

TEST(DownloadWindowCountdown, CountsThirtySecondsAndCarriesItsCountIntoLaterShowings) {
  Folders folders;
  folders.program.Write("Tarvex.db", kInstalled);
  Window w(folders);
  w.frame.Load(w.state);
  w.frame.Tick(frmCheckUpdate::tmrAuto);
  EXPECT_EQ(w.Countdown(), "Otomatis keluar dalam 29 Detik.");
  for (int tick = 2; tick <= 30; ++tick) w.frame.Tick(frmCheckUpdate::tmrAuto);
  EXPECT_EQ(w.Countdown(), "Otomatis keluar dalam 0 Detik.");
  EXPECT_TRUE(w.state.Loaded());
  w.frame.Tick(frmCheckUpdate::tmrAuto);
  EXPECT_FALSE(w.state.Loaded());

  // A second sequence in the same run closes one tick after its success.
  w.frame.Load(w.state);
  EXPECT_EQ(w.state.AutoCloseCount(), 30);
  EXPECT_TRUE(w.frame.Tick(frmCheckUpdate::tmrAuto));
  EXPECT_FALSE(w.state.Loaded());
  EXPECT_EQ(w.frame.closed, 2);
}

TEST(DownloadWindowCountdown, KeluarClosesAtOnceAndTheNextCountdownGoesOnFromThere) {
  Folders folders;
  folders.program.Write("Tarvex.db", kInstalled);
  Window w(folders);
  w.frame.Load(w.state);
  for (int tick = 1; tick <= 5; ++tick) w.frame.Tick(frmCheckUpdate::tmrAuto);
  w.state.Click(frmCheckUpdate::cmdClose);
  EXPECT_FALSE(w.state.Loaded());
  EXPECT_FALSE(w.Counting());

  w.frame.Load(w.state);
  w.frame.Tick(frmCheckUpdate::tmrAuto);
  EXPECT_EQ(w.Countdown(), "Otomatis keluar dalam 24 Detik.");
}

TEST(DownloadWindowClose, ACaptionOtherThanBatalOrKeluarDoesNothing) {
  Folders folders;
  folders.program.Write("Tarvex.db", kInstalled);
  Window w(folders);
  w.frame.Load(w.state);
  w.state.Controls().SetText(frmCheckUpdate::cmdClose, "keluar");
  w.state.Click(frmCheckUpdate::cmdClose);
  EXPECT_TRUE(w.state.Loaded());
}

TEST(DatabaseReplacement, AValidDownloadTakesThePlaceOfTheDatabaseAndTheOldOneIsKept) {
  Folders folders;
  folders.program.Write("Tarvex.db", kInstalled);
  folders.downloads.Write("Tarvex.db", kPublished);
  Window w(folders);
  w.frame.Load(w.state);
  EXPECT_EQ(w.Status(), "Download Selesai.");
  EXPECT_EQ(Content(folders.Database()), kPublished);
  EXPECT_EQ(Content(folders.Backup()), kInstalled);
  EXPECT_FALSE(std::filesystem::exists(folders.Temporary()));
}

TEST(DatabaseReplacement, ABadDownloadOrAFailingStepLeavesTheDatabaseAsItWas) {
  struct Case {
    const char* what;
    std::string download;
    FailingStore::Fail fail;
  };
  using Fail = FailingStore::Fail;
  const Case cases[] = {
      {"truncated", "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\nSelesai:Sel", Fail::Nothing},
      {"no sentinel", "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\n", Fail::Nothing},
      {"lower-case key", "6851cf3c:EICAR-Test-File\r\nSelesai:Selesai\r\n", Fail::Nothing},
      {"zero-padded key", "00001A2B:W32.Baru\r\nSelesai:Selesai\r\n", Fail::Nothing},
      {"NUL bytes", std::string("1A2B:W32.Ba\0ru\r\nSelesai:Selesai\r\n", 33), Fail::Nothing},
      {"unreadable", kPublished, Fail::ReadCandidate},
      {"temporary file not written", kPublished, Fail::WriteTemporary},
      {"backup not written", kPublished, Fail::WriteBackup},
      {"replace fails after the temporary file", kPublished, Fail::Replace},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Folders folders;
    folders.program.Write("Tarvex.db", kInstalled);
    folders.downloads.Write("Tarvex.db", c.download);
    FailingStore store(c.fail);
    store.installedPath = folders.Database();
    Window w(folders, store);
    w.frame.Load(w.state);
    EXPECT_EQ(w.Status(), kFailed);
    EXPECT_FALSE(w.Counting());
    EXPECT_EQ(Content(folders.Database()), kInstalled);
    EXPECT_FALSE(std::filesystem::exists(folders.Temporary()));
    if (c.fail == Fail::Replace) {
      EXPECT_EQ(store.temporaryBeforeReplace, kPublished);
    }
  }
}

TEST(DatabaseReplacement, AnOversizedDownloadIsNeverRead) {
  Folders folders;
  folders.program.Write("Tarvex.db", kInstalled);
  std::string big = folders.downloads.Write("Tarvex.db", kPublished);
  std::filesystem::resize_file(big, kMaxDatabaseBytes + 1);
  Window w(folders);
  w.frame.Load(w.state);
  EXPECT_EQ(w.Status(), kFailed);
  EXPECT_EQ(Content(folders.Database()), kInstalled);
}

}  // namespace
}  // namespace tarvex
