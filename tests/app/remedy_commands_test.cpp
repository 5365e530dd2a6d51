// Hapus and Karantina on the main window's state, over files in memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "app/antivirus.h"
#include "support/main_window_fakes.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::StartsWith;
using A = Antivirus;

constexpr const char* kMoved = " virus telah dipindahkan ke folder 'C:\\Karantina\\' ...";

// The main window after a completed scan of C:\ that listed the given files
// (beside seven clean ones); each file holds its own path, a program dressed
// as a picture ("*.jpg.exe", a guess of the heuristics) "MZ" before it.
class Desk {
 public:
  explicit Desk(const std::vector<std::string>& listed) {
    fakes.chosen = "C:\\";
    for (int i = 1; i <= 7; ++i) fakes.tree.File("C:\\", "clean" + std::to_string(i) + ".txt");
    for (const std::string& path : listed) {
      const std::size_t cut = path.rfind('\\') + 1;
      const std::string folder = path.substr(0, cut);
      if (folder != "C:\\" && !known_.count(folder)) {
        known_.insert(folder);
        fakes.tree.Folder("C:\\", folder.substr(3, folder.size() - 4));
      }
      fakes.tree.File(folder, path.substr(cut));
      const bool guess = path.ends_with(".jpg.exe");
      if (!guess) fakes.infected[path] = "Test.Virus";
      files.Add(path, guess ? "MZ" + path : path);
    }
    window.Click(A::cmdScan);
    fakes.processes.journal = &files.journal;
    window.Controls().SetListener([this](int id, ui::Change c) {
      if (id == A::ProgressBar1 && c == ui::Change::Position) progress.push_back(window.ProgressValue());
    });
  }

  std::vector<std::string> RowPaths() const {
    std::vector<std::string> paths;
    for (const ResultRow& r : window.Rows()) paths.push_back(r.path);
    return paths;
  }
  std::string Text(int id) const { return window.Text(id); }

  std::set<std::string> known_;
  testing::MainWindowFakes fakes;
  testing::FakeFileSystem& files = fakes.files;
  std::vector<int> progress;
  Antivirus window{fakes.Services()};
};

std::vector<std::string> Files(int n) {
  std::vector<std::string> paths;
  for (int i = 1; i <= n; ++i) paths.push_back("C:\\v\\f" + std::to_string(i) + ".exe");
  return paths;
}

TEST(RemedyCommands, ProgressRoundsHalvesToEvenAndTheSummaryCountsTheFiles) {
  struct Case {
    int button;
    int listed;
    std::vector<int> progress;
    std::string status;
  };
  const Case cases[] = {
      {A::cmdHapus, 0, {}, "Tak ada virus yang dihapus..."},
      {A::cmdKarantina, 0, {}, "Tak ada virus yang dikarantina..."},
      {A::cmdHapus, 1, {0, 100}, "1 virus telah dihapus..."},
      {A::cmdKarantina, 3, {0, 33, 67, 100}, std::string("3") + kMoved},
      {A::cmdHapus, 8, {0, 12, 25, 38, 50, 62, 75, 88, 100}, "8 virus telah dihapus..."},
  };
  for (const Case& c : cases) {
    Desk desk(Files(c.listed));
    desk.window.Click(c.button);
    EXPECT_THAT(desk.progress, ElementsAreArray(c.progress)) << c.listed;
    EXPECT_EQ(desk.Text(A::lblPercentComplete), "100 % Complete...");
    EXPECT_EQ(desk.Text(A::status), c.status);
    EXPECT_TRUE(desk.window.Rows().empty());
    EXPECT_EQ(desk.Text(A::lblJumlahVirus), "0");
    EXPECT_EQ(desk.Text(A::lblFileDiperiksa), c.listed ? "0" : "7") << "nothing to do changes no counter";
    // With nothing to do the log line is written all the same, and no quarantine folder is made.
    if (c.listed == 0) {
      EXPECT_EQ(desk.files.journal.size(), 2u);
    }
  }
}

// A guess is never deleted: a deleted file cannot be restored.
TEST(RemedyCommands, HapusMovesEachGuessIntoTheQuarantineWithALogLineAndDeletesTheRest) {
  const std::string guess = "C:\\d\\foto.jpg.exe";
  Desk desk({"C:\\d\\virus.exe", guess});
  ASSERT_EQ(desk.window.Rows().at(1).remark, "Heuristik");
  desk.window.Click(A::cmdHapus);
  EXPECT_EQ(desk.Text(A::status), "1 virus telah dihapus, 1 tebakan dipindahkan ke folder 'C:\\Karantina\\'.");
  EXPECT_EQ(desk.files.files["C:\\Karantina\\foto.jpg.exe_vir"].content, "MZ" + guess);
  EXPECT_FALSE(desk.files.files.count("C:\\d\\virus.exe"));
  EXPECT_EQ(desk.files.files["C:\\Tarvex\\Logs\\31_10_2011.txt"].content,
            "[09:00:00] hapus virus\r\n[09:00:00] karantina tebakan " + guess + "\r\n");
}

TEST(RemedyCommands, LogsThenEndsEachProcessBeforeTouchingItsFileFromTheLastRowUp) {
  Desk desk({"C:\\a\\one.exe", "C:\\b\\two.exe"});
  desk.fakes.processes.Run(10, "C:\\a\\one.exe");
  desk.fakes.processes.Run(20, "C:\\b\\two.exe");
  desk.window.Click(A::cmdKarantina);
  EXPECT_THAT(desk.files.journal,
              ElementsAre("folder C:\\Tarvex\\Logs", "append C:\\Tarvex\\Logs\\31_10_2011.txt [09:00:00] karantina\r\n",
                          "folder C:\\Karantina\\", "end C:\\b\\two.exe",
                          StartsWith("append C:\\Karantina\\karantina.txt karantina\t"), "normal C:\\b\\two.exe",
                          "move C:\\b\\two.exe > C:\\Karantina\\two.exe_vir", "end C:\\a\\one.exe",
                          StartsWith("append C:\\Karantina\\karantina.txt karantina\t"), "normal C:\\a\\one.exe",
                          "move C:\\a\\one.exe > C:\\Karantina\\one.exe_vir"));
}

TEST(RemedyCommands, QuarantineNamesAppendVirAndNeverOverwrite) {
  Desk desk({"C:\\a\\setup.exe", "C:\\b\\setup.exe", "C:\\c\\setup.exe", "C:\\x\\readme"});
  desk.files.Add("C:\\Karantina\\setup.exe_vir", "quarantined last week");
  desk.window.Click(A::cmdKarantina);

  std::string quarantine;
  for (const auto& [path, file] : desk.files.files) {
    if (path.rfind("C:\\Karantina\\", 0) == 0 && !path.ends_with(kManifestName)) quarantine += path.substr(13) + "=" + file.content + " ";
  }
  EXPECT_EQ(quarantine,
            "readme_vir=C:\\x\\readme setup.exe_vir=quarantined last week setup.exe_vir2=C:\\c\\setup.exe "
            "setup.exe_vir3=C:\\b\\setup.exe setup.exe_vir4=C:\\a\\setup.exe ");
  EXPECT_EQ(desk.Text(A::status), std::string("4") + kMoved);
}

TEST(RemedyCommands, RowsWhoseFilesStayAreKeptAndRowsOfFilesAlreadyGoneLeaveUncounted) {
  for (int button : {A::cmdHapus, A::cmdKarantina}) {
    const std::string held = "C:\\d\\held.exe", done = "C:\\d\\done.exe", gone = "C:\\d\\gone.exe",
                      stuck = "C:\\d\\stuck.exe";
    Desk desk({held, done, gone, stuck});
    desk.files.files.erase(gone);
    desk.files.files[stuck].attributes = sys::kAttrReadOnly | sys::kAttrHidden;
    desk.files.inUse.insert(held);
    desk.files.stuckAttributes.insert(stuck);  // stays read-only and hidden
    desk.window.Click(button);

    // A read-only file cannot be deleted; its name, taken literally, still moves when hidden.
    const bool hapus = button == A::cmdHapus;
    EXPECT_EQ(desk.RowPaths(), (hapus ? std::vector<std::string>{held, stuck} : std::vector<std::string>{held}));
    EXPECT_EQ(desk.Text(A::lblJumlahVirus), hapus ? "2" : "1");
    EXPECT_EQ(desk.Text(A::lblFileDiperiksa), "0");
    EXPECT_EQ(desk.Text(A::status), hapus ? "1 virus telah dihapus..." : std::string("2") + kMoved);
    EXPECT_EQ(desk.progress.back(), 100);
    for (const std::string& step : desk.files.journal) EXPECT_EQ(step.find("> C:\\Karantina\\_vir"), std::string::npos);
  }
}

}  // namespace
}  // namespace tarvex
