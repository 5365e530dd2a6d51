#include "app/antivirus.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_frame.h"
#include "support/main_window_fakes.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using A = Antivirus;

// Drives the window's state class as the real window would, with a test's
// own folder browser, event queue, tree and checks.
class ScanCommand : public ::testing::Test {
 protected:
  ScanCommand() {
    fakes_.tree.Folder("C:\\", "Data");
    for (int i = 1; i <= 10; ++i) fakes_.tree.File("C:\\Data\\", std::string("f") + std::to_string(i) + ".exe");
    window_.Timers().SetListener([this](const ui::TimerSpec& t) {
      timerLog_.push_back(std::string(t.id == A::Timer1 ? "T1" : "T2") + (t.running ? "+" : "-"));
    });
  }

  std::string Text(int id) { return window_.Text(id); }

  testing::MainWindowFakes fakes_;
  std::vector<std::string> timerLog_;
  Antivirus window_{fakes_.Services()};
};

TEST_F(ScanCommand, CompleteScanCountsEveryFileAndReportsNoVirus) {
  window_.Click(A::cmdScan);
  EXPECT_EQ(Text(A::lblTotalFile), "10");
  EXPECT_EQ(Text(A::lblFileDiperiksa), "10");
  EXPECT_EQ(window_.ProgressValue(), 100);
  EXPECT_EQ(Text(A::lblPercentComplete), "100 % Complete...");
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
  EXPECT_EQ(Text(A::cmdScan), "Scan");
  EXPECT_EQ(fakes_.beeps, 0);
  // Animation for the counting pass only; the clock for both passes.
  EXPECT_THAT(timerLog_, ElementsAre("T2+", "T1+", "T2-", "T1-"));
}

TEST_F(ScanCommand, ButtonsOtherThanStopAndExitAreDisabledWhileScanning) {
  std::vector<bool> seen;
  fakes_.onYield = [&] {
    if (!seen.empty()) return;
    for (int c : {A::cmdScan, A::cmdHapus, A::cmdKarantina, A::cmdMenu, A::cmdKeluar, A::cmdUpdate})
      seen.push_back(window_.Enabled(c));
    EXPECT_EQ(Text(A::cmdScan), "Stop");
  };
  window_.cmdScan_Click();
  EXPECT_THAT(seen, ElementsAre(true, false, false, false, true, false));
  for (int c : {A::cmdHapus, A::cmdKarantina, A::cmdMenu, A::cmdUpdate}) EXPECT_TRUE(window_.Enabled(c));
}

TEST_F(ScanCommand, StopDuringCountingSkipsTheScanningPass) {
  fakes_.onYield = [&] {
    if (fakes_.yields == 3) window_.cmdScan_Click();  // Stop after three files were counted
  };
  std::vector<std::string> checked;
  fakes_.onCheck = [&](const std::string& path) { checked.push_back(path); };
  window_.cmdScan_Click();
  EXPECT_EQ(Text(A::lblTotalFile), "3");
  EXPECT_EQ(Text(A::lblFileDiperiksa), "0");
  EXPECT_TRUE(checked.empty());
  EXPECT_EQ(Text(A::status), "Proses dihentikan, tak ada virus ditemukan.");
  EXPECT_EQ(window_.ProgressValue(), 0);
}

TEST_F(ScanCommand, StopNearTheEndOfTheScanningPassIsReportedAsAStop) {
  fakes_.infected["C:\\Data\\f9.exe"] = "w32.Test";
  fakes_.onCheck = [&](const std::string& path) {
    if (path == "C:\\Data\\f9.exe") window_.cmdScan_Click();
  };
  window_.cmdScan_Click();
  EXPECT_EQ(Text(A::lblFileDiperiksa), "9");
  EXPECT_EQ(Text(A::lblPercentComplete), "90 % Complete...") << "the last percentage stays after a stop";
  EXPECT_EQ(window_.ProgressValue(), 0);
  EXPECT_EQ(Text(A::status), "Proses dihentikan, 1 virus ditemukan.");
  EXPECT_EQ(fakes_.beeps, 0);
}

TEST_F(ScanCommand, FilesDeletedBetweenThePassesEndAFinishedScanWithTheCountsAsTheyWere) {
  fakes_.tree.Folder("C:\\Data\\", "Later").File("C:\\Data\\Later\\", "a.exe").File("C:\\Data\\Later\\", "b.exe");
  fakes_.infected["C:\\Data\\f1.exe"] = "w32.X";
  fakes_.onYield = [&] {
    // Another program deletes them while the scanning pass is in C:\Data.
    if (Text(A::lblFileDiperiksa) != "1") return;
    for (const char* name : {"a.exe", "b.exe"}) fakes_.tree.Remove("C:\\Data\\Later\\", name);
  };
  window_.cmdScan_Click();
  EXPECT_EQ(Text(A::lblTotalFile), "12");
  EXPECT_EQ(Text(A::lblFileDiperiksa), "10");
  EXPECT_EQ(window_.ProgressValue(), 83);
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, 1 virus ditemukan.");
  EXPECT_EQ(fakes_.beeps, 1);
}

TEST_F(ScanCommand, CompletedScanWithDetectionsBeepsOnce) {
  for (const char* f : {"f2.exe", "f5.exe", "f7.exe"}) fakes_.infected[std::string("C:\\Data\\") + f] = "w32.X";
  window_.cmdScan_Click();
  EXPECT_EQ(Text(A::lblJumlahVirus), "3");
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, 3 virus ditemukan.");
  EXPECT_EQ(fakes_.beeps, 1);
  ASSERT_EQ(window_.Rows().size(), 3u);
  EXPECT_EQ(window_.Rows()[1].path, "C:\\Data\\f5.exe");
  EXPECT_EQ(window_.Rows()[1].name, "w32.X");
}

TEST_F(ScanCommand, ARunningInfectedProgramIsEndedBeforeTheCountGoesUp) {
  fakes_.infected["C:\\Data\\f2.exe"] = "w32.X";
  fakes_.processes.Run(7, "C:\\Data\\f2.exe");
  std::vector<std::string> journal;
  fakes_.processes.journal = &journal;
  window_.Controls().SetListener([&](int id, ui::Change) {
    if (id == A::lblJumlahVirus) journal.push_back("count " + Text(A::lblJumlahVirus));
  });
  window_.cmdScan_Click();
  EXPECT_THAT(journal, ElementsAre("end C:\\Data\\f2.exe", "count 1"));
}

TEST_F(ScanCommand, SecondScanStartsFromEmpty) {
  fakes_.infected["C:\\Data\\f1.exe"] = "w32.X";
  window_.cmdScan_Click();
  window_.Timer(A::Timer1);  // a stray tick after the scan changes nothing
  EXPECT_EQ(Text(A::Label1), "Elapsed : 00:00:00");

  std::vector<std::string> atFirstYield;
  fakes_.onYield = [&] {
    if (atFirstYield.empty())
      atFirstYield = {Text(A::lblFileDiperiksa), Text(A::lblTotalFile), Text(A::lblJumlahVirus),
                      std::to_string(window_.Rows().size())};
  };
  fakes_.infected.clear();
  window_.cmdScan_Click();
  EXPECT_THAT(atFirstYield, ElementsAre("0", "0", "0", "0"));
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, ClockKeepsThePreviousTimeUntilItsFirstTick) {
  fakes_.onYield = [&] {
    if (fakes_.yields == 1) {
      window_.Timer(A::Timer1);
      window_.Timer(A::Timer1);
    }
  };
  window_.cmdScan_Click();
  EXPECT_EQ(Text(A::Label1), "Elapsed : 00:00:02");

  std::string labelAtStart;
  fakes_.onYield = [&] {
    if (labelAtStart.empty()) labelAtStart = Text(A::Label1);
    if (fakes_.yields == 20) window_.Timer(A::Timer1);
  };
  fakes_.yields = 0;
  window_.cmdScan_Click();
  EXPECT_EQ(labelAtStart, "Elapsed : 00:00:02");
  EXPECT_EQ(Text(A::Label1), "Elapsed : 00:00:01");
}

TEST_F(ScanCommand, AnimationOnlyWritesWhileCounting) {
  fakes_.onYield = [&] { window_.Timer(A::Timer2); };
  std::vector<std::string> statusDuringChecks;
  fakes_.onCheck = [&](const std::string&) { statusDuringChecks.push_back(Text(A::status)); };
  window_.cmdScan_Click();
  EXPECT_EQ(statusDuringChecks.front(), "C:\\Data\\f1.exe");
  EXPECT_EQ(statusDuringChecks.back(), "C:\\Data\\f10.exe");
}

TEST_F(ScanCommand, CancelledBrowserChangesNothing) {
  window_.cmdScan_Click();
  fakes_.chosen = std::nullopt;
  window_.cmdScan_Click();
  EXPECT_EQ(window_.ScanRoot(), "C:\\Data");
  EXPECT_EQ(Text(A::lblTotalFile), "10");
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, FolderWithoutAPathIsTakenAsCancelled) {
  // An empty path would otherwise send the walk to the root of the current drive.
  fakes_.chosen = std::string();
  window_.cmdScan_Click();
  EXPECT_EQ(fakes_.browsed, 1);
  EXPECT_EQ(fakes_.yields, 0) << "no pass ran";
  EXPECT_EQ(Text(A::cmdScan), "Scan");
  EXPECT_EQ(Text(A::status), "");
}

TEST_F(ScanCommand, DriveRootKeepsItsBackslash) {
  fakes_.tree.File("D:\\", "autorun.inf");
  fakes_.chosen = std::string("D:\\");
  window_.cmdScan_Click();
  EXPECT_EQ(window_.ScanRoot(), "D:\\");
  EXPECT_EQ(Text(A::lblTotalFile), "1");
}

TEST_F(ScanCommand, ClickAfterStopIsIgnoredUntilTheScanHasUnwound) {
  fakes_.onYield = [&] {
    if (fakes_.yields == 2) {
      window_.cmdScan_Click();  // Stop
      window_.cmdScan_Click();  // Scan again while the passes unwind
      EXPECT_TRUE(window_.Busy());
    }
  };
  window_.cmdScan_Click();
  EXPECT_EQ(fakes_.browsed, 1) << "no second folder browser inside the first scan";
  EXPECT_FALSE(window_.Busy());
  EXPECT_EQ(Text(A::status), "Proses dihentikan, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, FailingCheckDoesNotStopTheScan) {
  fakes_.onCheck = [](const std::string& path) {
    if (path == "C:\\Data\\f3.exe") throw std::runtime_error("unreadable");
  };
  window_.cmdScan_Click();
  EXPECT_EQ(Text(A::lblFileDiperiksa), "10");
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, EmptyFolderFinishesWithoutFiles) {
  fakes_.tree.Folder("C:\\", "Nothing");
  fakes_.chosen = std::string("C:\\Nothing");
  window_.cmdScan_Click();
  EXPECT_EQ(Text(A::lblTotalFile), "0");
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
  EXPECT_EQ(Text(A::lblPercentComplete), "0 % Complete...");
}

// ---- Activation, the close request and the menu.

TEST(DateWarning, ShownFromTheFirstOfNovember2011On) {
  const struct {
    sys::LocalTime day;
    bool warned;
  } cases[] = {
      {{2010, 12, 31}, false}, {{2011, 1, 1}, false},  {{2011, 10, 31}, false}, {{2011, 11, 1}, true},
      {{2011, 12, 21}, true},  {{2012, 1, 1}, true},   {{2026, 6, 15}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.day.year) + "-" + std::to_string(c.day.month) + "-" + std::to_string(c.day.day));
    testing::MainWindowFakes fakes;
    fakes.clock.now = c.day;
    Antivirus window(fakes.Services());
    window.Form_Activate();
    window.Form_Activate();  // every activation asks again
    if (!c.warned) {
      EXPECT_TRUE(fakes.messages.empty());
      continue;
    }
    ASSERT_EQ(fakes.messages.size(), 2u);
    EXPECT_EQ(fakes.messages[0].title, "Peringatan");
    EXPECT_EQ(fakes.messages[0].text,
              "ANTIVIRUS TARVEX BUATAN ANAK INDONESIA.\r\ndownload yang baru dari http://www.tarvex.web.id");
    EXPECT_EQ(fakes.messages[0].flags, sys::kMbOk | sys::kMbIconExclamation);
  }
}

class Activation : public ::testing::Test {
 protected:
  // What had happened when each message box came up.
  std::vector<std::string> log_;
  testing::MainWindowFakes fakes_;
  Antivirus window_{fakes_.Services()};

  void SetUp() override {
    fakes_.clock.now = {2012, 3, 4};
    fakes_.processes.Run(4, "C:\\Windows\\explorer.exe");
    fakes_.onMessage = [this](const testing::ShownMessage& m) {
      log_.push_back(m.title + " status='" + window_.Text(A::status) + "' snapshots=" +
                     std::to_string(fakes_.processes.snapshots));
    };
  }
};

TEST_F(Activation, WarnsThenChecksTheDatabaseThenWritesTheStatusThenListsProcesses) {
  window_.Form_Activate();
  EXPECT_THAT(log_, ElementsAre("Peringatan status='' snapshots=0"));
  EXPECT_EQ(window_.Text(A::status), "Tarvex Antivirus 2011");
  EXPECT_EQ(fakes_.processes.snapshots, 1);
  EXPECT_EQ(window_.Guard().ProcessPaths(), std::vector<std::string>{"C:\\Windows\\explorer.exe"});
  EXPECT_EQ(fakes_.ended, 0);
}

TEST_F(Activation, MissingDatabaseIsReportedAndEndsTheProgramBeforeAnythingElse) {
  fakes_.visibleFiles.clear();  // missing, or hidden: the lookup sees neither
  window_.Form_Activate();
  ASSERT_EQ(fakes_.messages.size(), 2u);
  EXPECT_EQ(fakes_.messages[1].title, "") << "the application's title";
  EXPECT_EQ(fakes_.messages[1].text, "Maaf...file database Tarvex.db hilang\r\nFile ''C:\\Tarvex\\Tarvex.db''");
  EXPECT_EQ(fakes_.messages[1].flags, sys::kMbOk);
  EXPECT_EQ(fakes_.ended, 1);
  EXPECT_EQ(window_.Text(A::status), "");
  EXPECT_EQ(fakes_.processes.snapshots, 0);
}

TEST_F(Activation, CloseRequestAsksOnlyWhileAScanRuns) {
  const struct {
    bool duringScan;
    int answer;
    bool asked;
    bool ends;
  } cases[] = {
      {false, sys::kIdNo, false, true},
      {true, sys::kIdNo, true, false},
      {true, sys::kIdYes, true, true},
      {true, 0, true, false},  // the box could not be shown
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.duringScan) + "/" + std::to_string(c.answer));
    testing::MainWindowFakes fakes;
    fakes.tree.Folder("C:\\", "Data").File("C:\\Data\\", "a.txt").File("C:\\Data\\", "b.txt");
    fakes.yesNoAnswer = c.answer;
    Antivirus window(fakes.Services());
    bool kept = true;
    auto request = [&] { kept = !window.Form_QueryUnload() && fakes.ended == 0; };
    if (c.duringScan) {
      fakes.onYield = [&] {
        if (fakes.yields == 1) request();
      };
      window.Click(A::cmdScan);
    } else {
      request();
    }
    EXPECT_EQ(fakes.messages.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(fakes.messages[0].title, "Anda Yakin?");
      EXPECT_EQ(fakes.messages[0].text, "Anda yakin akan keluar saat pemeriksaan file sedang berlangsung?");
      EXPECT_EQ(fakes.messages[0].flags, sys::kMbYesNo | sys::kMbIconQuestion);
    }
    EXPECT_EQ(fakes.ended, c.ends ? 1 : 0);
    EXPECT_EQ(kept, !c.ends);
    if (c.duringScan && !c.ends) {
      EXPECT_EQ(window.Text(A::lblFileDiperiksa), "2") << "the scan went on";
    }
  }
}

TEST_F(Activation, KeluarIsACloseRequest) {
  fakes_.tree.Folder("C:\\", "Data").File("C:\\Data\\", "a.txt");
  fakes_.onYield = [&] {
    if (fakes_.yields == 1) window_.Click(A::cmdKeluar);
  };
  window_.Click(A::cmdScan);
  ASSERT_EQ(fakes_.messages.size(), 1u);
  EXPECT_EQ(fakes_.messages[0].title, "Anda Yakin?");
  EXPECT_EQ(fakes_.ended, 0);
  window_.Click(A::cmdKeluar);
  EXPECT_EQ(fakes_.ended, 1);
}

TEST_F(Activation, MenuOpensAtTheMouseAndItsItemsAndUpdateAskForTheirWindows) {
  testing::FakeFrame frame;
  window_.AttachFrame(&frame);
  window_.Click(A::cmdMenu);
  EXPECT_THAT(frame.popups, ElementsAre(A::mnu));
  for (int item : {A::mnuTemp, A::mnuTool, A::mnuViewSigna, A::mnuAbout, A::cmdUpdate}) window_.Click(item);
  EXPECT_THAT(fakes_.shown, ElementsAre(AppWindow::frmTempDb, AppWindow::frmExtTool, AppWindow::frmSignature,
                                        AppWindow::frmAbout, AppWindow::frmUpdate));
  window_.AttachFrame(nullptr);
}

TEST(MainWindowServices, EveryServiceMustBeGiven) {
  testing::MainWindowFakes fakes;
  AntivirusServices noMessageBox = fakes.Services();
  noMessageBox.messageBox = nullptr;
  EXPECT_THROW(Antivirus{noMessageBox}, std::invalid_argument);
  AntivirusServices noFileReader = fakes.Services();
  noFileReader.scan.engine.readFile = nullptr;
  EXPECT_THROW(Antivirus{noFileReader}, std::invalid_argument);
}

}  // namespace
}  // namespace tarvex
