#include "app/antivirus.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/fake_tree.h"
#include "support/native_path.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using testing::FakeTree;
using testing::NativePath;

// Drives the window's state class as the real window would, with a test's
// own folder browser, event queue and tree.
class ScanCommand : public ::testing::Test, public AntivirusObserver {
 protected:
  ScanCommand() : window_(Services()) {
    window_.SetObserver(this);
    tree_.Folder(NativePath("C:/"), "Data");
    for (int i = 1; i <= 10; ++i) tree_.File(NativePath("C:/Data/"), "f" + std::to_string(i) + ".exe");
  }

  AntivirusServices Services() {
    AntivirusServices s;
    s.browseFolder = [this] {
      ++browsed_;
      return chosen_;
    };
    s.yield = [this] {
      ++yields_;
      if (onYield_) onYield_();
    };
    s.beep = [this] { ++beeps_; };
    s.endProgram = [this] { ended_ = true; };
    s.directories = &tree_;
    return s;
  }

  void TimerChanged(Timer t, bool enabled) override {
    timerLog_.push_back(std::string(t == Timer::Timer1 ? "T1" : "T2") + (enabled ? "+" : "-"));
  }

  std::string Text(Ctl c) { return window_.Text(c); }

  FakeTree tree_;
  std::optional<std::string> chosen_ = NativePath("C:/Data");
  std::function<void()> onYield_;
  int yields_ = 0;
  int browsed_ = 0;
  int beeps_ = 0;
  bool ended_ = false;
  std::vector<std::string> timerLog_;
  Antivirus window_;
};

TEST_F(ScanCommand, StartsIdle) {
  EXPECT_EQ(Text(Ctl::cmdScan), "Scan");
  EXPECT_EQ(Text(Ctl::lblPercentComplete), "0 % Complete...");
  EXPECT_EQ(Text(Ctl::Label1), "Elapsed : 00:00:00");
  EXPECT_EQ(window_.Tooltip(Ctl::cmdMenu), "Klik disini untuk menjalankan  menu tambahan.");
  EXPECT_FALSE(window_.TimerEnabled(Timer::Timer1));
  EXPECT_FALSE(window_.TimerEnabled(Timer::Timer2));
}

TEST_F(ScanCommand, CompleteScanCountsEveryFileAndReportsNoVirus) {
  window_.cmdScan_Click();
  EXPECT_EQ(Text(Ctl::lblTotalFile), "10");
  EXPECT_EQ(Text(Ctl::lblFileDiperiksa), "10");
  EXPECT_EQ(window_.ProgressValue(), 100);
  EXPECT_EQ(Text(Ctl::lblPercentComplete), "100 % Complete...");
  EXPECT_EQ(Text(Ctl::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
  EXPECT_EQ(Text(Ctl::cmdScan), "Scan");
  EXPECT_EQ(beeps_, 0);
  // Animation for the counting pass only; the clock for both passes.
  EXPECT_THAT(timerLog_, ElementsAre("T2+", "T1+", "T2-", "T1-"));
}

TEST_F(ScanCommand, ButtonsOtherThanStopAndExitAreDisabledWhileScanning) {
  std::vector<bool> seen;
  onYield_ = [&] {
    if (!seen.empty()) return;
    for (Ctl c : {Ctl::cmdScan, Ctl::cmdHapus, Ctl::cmdKarantina, Ctl::cmdMenu, Ctl::cmdKeluar, Ctl::cmdUpdate})
      seen.push_back(window_.Enabled(c));
    EXPECT_EQ(Text(Ctl::cmdScan), "Stop");
  };
  window_.cmdScan_Click();
  EXPECT_THAT(seen, ElementsAre(true, false, false, false, true, false));
  for (Ctl c : {Ctl::cmdHapus, Ctl::cmdKarantina, Ctl::cmdMenu, Ctl::cmdUpdate}) EXPECT_TRUE(window_.Enabled(c));
}

TEST_F(ScanCommand, StopDuringCountingSkipsTheScanningPass) {
  onYield_ = [&] {
    if (yields_ == 3) window_.cmdScan_Click();  // Stop after three files were counted
  };
  std::vector<std::string> checked;
  window_.SetFileCheck([&](const std::string& d, const std::string& n) { checked.push_back(d + n); });
  window_.cmdScan_Click();
  EXPECT_EQ(Text(Ctl::lblTotalFile), "3");
  EXPECT_EQ(Text(Ctl::lblFileDiperiksa), "0");
  EXPECT_TRUE(checked.empty());
  EXPECT_EQ(Text(Ctl::status), "Proses dihentikan, tak ada virus ditemukan.");
  EXPECT_EQ(window_.ProgressValue(), 0);
}

TEST_F(ScanCommand, StopNearTheEndOfTheScanningPassIsReportedAsAStop) {
  window_.SetFileCheck([&](const std::string&, const std::string& name) {
    if (name == "f9.exe") {
      window_.AppendRow({"", "w32.Test", NativePath("C:/Data/f9.exe"), "10", ""});
      window_.cmdScan_Click();
    }
  });
  window_.cmdScan_Click();
  EXPECT_EQ(Text(Ctl::lblFileDiperiksa), "9");
  EXPECT_EQ(Text(Ctl::lblPercentComplete), "90 % Complete...") << "the last percentage stays after a stop";
  EXPECT_EQ(window_.ProgressValue(), 0);
  EXPECT_EQ(Text(Ctl::status), "Proses dihentikan, 1 virus ditemukan.");
  EXPECT_EQ(beeps_, 0);
}

TEST_F(ScanCommand, CompletedScanWithDetectionsBeepsOnce) {
  window_.SetFileCheck([&](const std::string& d, const std::string& n) {
    if (n == "f2.exe" || n == "f5.exe" || n == "f7.exe") window_.AppendRow({"", "w32.X", d + n, "1", ""});
  });
  window_.cmdScan_Click();
  EXPECT_EQ(Text(Ctl::lblJumlahVirus), "3");
  EXPECT_EQ(Text(Ctl::status), "Pemeriksaan selesai, 3 virus ditemukan.");
  EXPECT_EQ(beeps_, 1);
  EXPECT_EQ(window_.Rows().size(), 3u);
}

TEST_F(ScanCommand, SecondScanStartsFromEmpty) {
  window_.SetFileCheck([&](const std::string& d, const std::string& n) {
    if (n == "f1.exe") window_.AppendRow({"", "w32.X", d + n, "1", ""});
  });
  window_.cmdScan_Click();
  window_.Timer1_Timer();  // a stray tick after the scan changes nothing
  EXPECT_EQ(Text(Ctl::Label1), "Elapsed : 00:00:00");

  std::vector<std::string> atFirstYield;
  onYield_ = [&] {
    if (atFirstYield.empty())
      atFirstYield = {Text(Ctl::lblFileDiperiksa), Text(Ctl::lblTotalFile), Text(Ctl::lblJumlahVirus),
                      std::to_string(window_.Rows().size())};
  };
  window_.SetFileCheck(nullptr);
  window_.cmdScan_Click();
  EXPECT_THAT(atFirstYield, ElementsAre("0", "0", "0", "0"));
  EXPECT_EQ(Text(Ctl::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, ClockKeepsThePreviousTimeUntilItsFirstTick) {
  onYield_ = [&] {
    if (yields_ == 1) {
      window_.Timer1_Timer();
      window_.Timer1_Timer();
    }
  };
  window_.cmdScan_Click();
  EXPECT_EQ(Text(Ctl::Label1), "Elapsed : 00:00:02");

  std::string labelAtStart;
  onYield_ = [&] {
    if (labelAtStart.empty()) labelAtStart = Text(Ctl::Label1);
    if (yields_ == 20) window_.Timer1_Timer();
  };
  yields_ = 0;
  window_.cmdScan_Click();
  EXPECT_EQ(labelAtStart, "Elapsed : 00:00:02");
  EXPECT_EQ(Text(Ctl::Label1), "Elapsed : 00:00:01");
}

TEST_F(ScanCommand, AnimationOnlyWritesWhileCounting) {
  onYield_ = [&] {
    window_.Timer2_Timer();
  };
  std::vector<std::string> statusDuringChecks;
  window_.SetFileCheck([&](const std::string&, const std::string&) { statusDuringChecks.push_back(Text(Ctl::status)); });
  window_.cmdScan_Click();
  EXPECT_EQ(statusDuringChecks.front(), NativePath("C:/Data/f1.exe"));
  EXPECT_EQ(statusDuringChecks.back(), NativePath("C:/Data/f10.exe"));
}

TEST_F(ScanCommand, CancelledBrowserChangesNothing) {
  window_.cmdScan_Click();
  chosen_ = std::nullopt;
  window_.cmdScan_Click();
  EXPECT_EQ(window_.ScanRoot(), NativePath("C:/Data"));
  EXPECT_EQ(Text(Ctl::lblTotalFile), "10");
  EXPECT_EQ(Text(Ctl::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, FolderWithoutAPathIsTakenAsCancelled) {
  // An empty path would otherwise send the walk to the root of the current drive.
  chosen_ = std::string();
  window_.cmdScan_Click();
  EXPECT_EQ(browsed_, 1);
  EXPECT_EQ(yields_, 0) << "no pass ran";
  EXPECT_EQ(Text(Ctl::cmdScan), "Scan");
  EXPECT_EQ(Text(Ctl::status), "");
}

TEST_F(ScanCommand, DriveRootKeepsItsBackslash) {
  tree_.File(NativePath("D:/"), "autorun.inf");
  chosen_ = NativePath("D:/");
  window_.cmdScan_Click();
  EXPECT_EQ(window_.ScanRoot(), NativePath("D:/"));
  EXPECT_EQ(Text(Ctl::lblTotalFile), "1");
}

TEST_F(ScanCommand, ClickAfterStopIsIgnoredUntilTheScanHasUnwound) {
  onYield_ = [&] {
    if (yields_ == 2) {
      window_.cmdScan_Click();  // Stop
      window_.cmdScan_Click();  // Scan again while the passes unwind
      EXPECT_TRUE(window_.Busy());
    }
  };
  window_.cmdScan_Click();
  EXPECT_EQ(browsed_, 1) << "no second folder browser inside the first scan";
  EXPECT_FALSE(window_.Busy());
  EXPECT_EQ(Text(Ctl::status), "Proses dihentikan, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, FailingCheckDoesNotStopTheScan) {
  window_.SetFileCheck([](const std::string&, const std::string& n) {
    if (n == "f3.exe") throw std::runtime_error("unreadable");
  });
  window_.cmdScan_Click();
  EXPECT_EQ(Text(Ctl::lblFileDiperiksa), "10");
  EXPECT_EQ(Text(Ctl::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(ScanCommand, EmptyFolderFinishesWithoutFiles) {
  tree_.Folder(NativePath("C:/"), "Nothing");
  chosen_ = NativePath("C:/Nothing");
  window_.cmdScan_Click();
  EXPECT_EQ(Text(Ctl::lblTotalFile), "0");
  EXPECT_EQ(Text(Ctl::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
  EXPECT_EQ(Text(Ctl::lblPercentComplete), "0 % Complete...");
}

TEST_F(ScanCommand, ExitEndsTheProgram) {
  window_.cmdKeluar_Click();
  EXPECT_TRUE(ended_);
}

}  // namespace
}  // namespace tarvex
