// Hapus and Karantina on the main window's state, over files in memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/antivirus.h"
#include "support/fake_file_system.h"
#include "support/fake_processes.h"
#include "support/fixed_clock.h"
#include "system/program_folder.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::FakeFileSystem;

constexpr const char* kMoved = " virus telah dipindahkan ke folder 'C:\\Karantina\\' ...";

// The main window after a scan that listed the given files; each file holds
// its own path.
class Desk : public AntivirusObserver {
 public:
  explicit Desk(const std::vector<std::string>& listed) : window(Services()) {
    window.SetObserver(this);
    processes.journal = &files.journal;
    for (const std::string& path : listed) {
      window.AppendRow({"", "Test.Virus", path, "5", ""});
      files.Add(path, path);
    }
    window.SetText(Ctl::lblJumlahVirus, std::to_string(listed.size()));
    window.SetText(Ctl::lblFileDiperiksa, "7");
  }

  void Click(Ctl button) {
    button == Ctl::cmdHapus ? window.cmdHapus_Click() : window.cmdKarantina_Click();
  }
  std::vector<std::string> RowPaths() const {
    std::vector<std::string> paths;
    for (const ResultRow& r : window.Rows()) paths.push_back(r.path);
    return paths;
  }
  std::string Text(Ctl c) const { return window.Text(c); }

  void ProgressChanged(int value) override { progress.push_back(value); }

  FakeFileSystem files;
  testing::FakeProcesses processes;
  testing::FixedClock clock;
  std::vector<int> progress;
  Antivirus window;

 private:
  AntivirusServices Services() {
    AntivirusServices s;
    s.processes = &processes;
    s.files = &files;
    s.clock = &clock;
    return s;
  }
};

std::vector<std::string> Files(int n) {
  std::vector<std::string> paths;
  for (int i = 1; i <= n; ++i) paths.push_back("C:\\v\\f" + std::to_string(i) + ".exe");
  return paths;
}

TEST(RemedyCommands, ProgressRoundsHalvesToEvenAndTheSummaryCountsTheFiles) {
  struct Case {
    Ctl button;
    int listed;
    std::vector<int> progress;
    std::string status;
  };
  const Case cases[] = {
      {Ctl::cmdHapus, 0, {}, "Tak ada virus yang dihapus..."},
      {Ctl::cmdKarantina, 0, {}, "Tak ada virus yang dikarantina..."},
      {Ctl::cmdHapus, 1, {0, 100}, "1 virus telah dihapus..."},
      {Ctl::cmdKarantina, 3, {0, 33, 67, 100}, std::string("3") + kMoved},
      {Ctl::cmdHapus, 8, {0, 12, 25, 38, 50, 62, 75, 88, 100}, "8 virus telah dihapus..."},
  };
  for (const Case& c : cases) {
    Desk desk(Files(c.listed));
    desk.Click(c.button);
    EXPECT_THAT(desk.progress, ElementsAreArray(c.progress)) << c.listed;
    EXPECT_EQ(desk.Text(Ctl::lblPercentComplete), c.listed ? "100 % Complete..." : "0 % Complete...");
    EXPECT_EQ(desk.Text(Ctl::status), c.status);
    EXPECT_TRUE(desk.window.Rows().empty());
    EXPECT_EQ(desk.Text(Ctl::lblJumlahVirus), "0");
    EXPECT_EQ(desk.Text(Ctl::lblFileDiperiksa), c.listed ? "0" : "7") << "nothing to do changes no counter";
    // With nothing to do the log line is written all the same, and no quarantine folder is made.
    if (c.listed == 0) {
      EXPECT_EQ(desk.files.journal.size(), 2u);
    }
  }
}

TEST(RemedyCommands, LogsThenEndsEachProcessBeforeTouchingItsFileFromTheLastRowUp) {
  Desk desk({"C:\\a\\one.exe", "C:\\b\\two.exe"});
  desk.processes.Run(10, "C:\\a\\one.exe");
  desk.processes.Run(20, "C:\\b\\two.exe");
  desk.Click(Ctl::cmdKarantina);
  EXPECT_THAT(desk.files.journal,
              ElementsAre("folder " + sys::ProgramFolder() + "\\Logs",
                          "append " + sys::ProgramFolder() + "\\Logs\\06_12_2026.txt [22:05:33] karantina\r\n",
                          "folder C:\\Karantina\\",
                          "end C:\\b\\two.exe", "normal C:\\b\\two.exe", "move C:\\b\\two.exe > C:\\Karantina\\two.exe_vir",
                          "end C:\\a\\one.exe", "normal C:\\a\\one.exe",
                          "move C:\\a\\one.exe > C:\\Karantina\\one.exe_vir"));
}

TEST(RemedyCommands, QuarantineNamesAppendVirAndNeverOverwrite) {
  Desk desk({"C:\\a\\setup.exe", "C:\\b\\setup.exe", "C:\\c\\setup.exe", "C:\\x\\readme"});
  desk.files.Add("C:\\Karantina\\setup.exe_vir", "quarantined last week");
  desk.Click(Ctl::cmdKarantina);

  std::string quarantine;
  for (const auto& [path, file] : desk.files.files) {
    if (path.rfind("C:\\Karantina\\", 0) == 0) quarantine += path.substr(13) + "=" + file.content + " ";
  }
  EXPECT_EQ(quarantine,
            "readme_vir=C:\\x\\readme setup.exe_vir=quarantined last week setup.exe_vir2=C:\\c\\setup.exe "
            "setup.exe_vir3=C:\\b\\setup.exe setup.exe_vir4=C:\\a\\setup.exe ");
  EXPECT_EQ(desk.Text(Ctl::status), std::string("4") + kMoved);
}

TEST(RemedyCommands, RowsWhoseFilesStayAreKeptAndNotCounted) {
  for (Ctl button : {Ctl::cmdHapus, Ctl::cmdKarantina}) {
    const std::string held = "C:\\d\\held.exe", done = "C:\\d\\done.exe", gone = "C:\\d\\gone.exe",
                      stuck = "C:\\d\\stuck.exe";
    Desk desk({held, done, gone, stuck});
    desk.files.files.erase(gone);
    desk.files.files[stuck].attributes = sys::kAttrReadOnly | sys::kAttrHidden;
    desk.files.inUse.insert(held);
    desk.files.stuckAttributes.insert(stuck);  // stays read-only and hidden
    desk.Click(button);

    EXPECT_THAT(desk.RowPaths(), ElementsAre(held, gone, stuck));
    EXPECT_EQ(desk.Text(Ctl::lblJumlahVirus), "3");
    EXPECT_EQ(desk.Text(Ctl::lblFileDiperiksa), "0");
    EXPECT_EQ(desk.Text(Ctl::status), button == Ctl::cmdHapus ? "1 virus telah dihapus..." : std::string("1") + kMoved);
    EXPECT_EQ(desk.progress.back(), 100);
    for (const std::string& step : desk.files.journal) EXPECT_EQ(step.find("> C:\\Karantina\\_vir"), std::string::npos);
  }
}

}  // namespace
}  // namespace tarvex
