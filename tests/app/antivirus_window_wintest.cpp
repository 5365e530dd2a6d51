// The main window as a user and UI automation see it: real child windows,
// real clicks, the real event queue and timers, and a scan of real files.
#include "app/antivirus_window_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/layout_check_win32.h"
#include "support/program_win32.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"

namespace tarvex {
namespace {

using A = Antivirus;
using testing::TempTree;

class MainWindow : public testing::ProgramTest {
 protected:
  void SetUp() override { StartProgram(); }

  void MakeTree(TempTree& tree, int files) {
    for (int i = 0; i < files; ++i) {
      std::string folder = i % 3 == 0 ? "" : (i % 3 == 1 ? "sub\\" : "sub\\deeper\\");
      tree.Write(folder + "file" + std::to_string(i) + ".txt", "content " + std::to_string(i));
    }
  }
};

TEST_F(MainWindow, IsABorderlessNavyWindowWithEveryControlWhereItsTableSays) {
  testing::ExpectWindowMatchesItsTable(app_->Main());
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "its taskbar entry";
  EXPECT_EQ(testing::WindowText(hwnd_), "Tarvex Antivirus");

  // The background and the label colours, as the window paints them.
  HDC screen = GetDC(hwnd_);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 730, 412);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(hwnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 10, 200), RGB(0, 0, 128)) << "left of the result list";
  for (int id : {A::lblFileDiperiksa, A::status, A::Label1, A::lblJumlahVirus}) {
    SendMessageA(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Child(id)));
    EXPECT_EQ(GetTextColor(dc), id == A::lblJumlahVirus ? RGB(255, 0, 0) : RGB(0, 255, 0)) << id;
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 128)) << id;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(hwnd_, screen);
}

TEST_F(MainWindow, CanNeitherBeMovedNorResizedButStillMinimised) {
  HMENU system = GetSystemMenu(hwnd_, FALSE);
  EXPECT_EQ(GetMenuState(system, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1)) << "Alt+Space offers no Move";
  EXPECT_EQ(GetMenuState(system, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(GetMenuState(system, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
  RECT before = {};
  GetWindowRect(hwnd_, &before);
  // Were the keyboard move to start, these keys would move the window and end it.
  for (WPARAM key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN}) PostMessageA(hwnd_, WM_KEYDOWN, key, 0);
  SendMessageA(hwnd_, WM_SYSCOMMAND, SC_MOVE, 0);
  Settle();
  RECT after = {};
  GetWindowRect(hwnd_, &after);
  EXPECT_TRUE(EqualRect(&before, &after));
  ShowWindow(hwnd_, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(hwnd_));
  ShowWindow(hwnd_, SW_RESTORE);
}

TEST_F(MainWindow, ScanOfATreeCountsEveryFileAndFinishesClean) {
  TempTree tree("scan");
  MakeTree(tree, 12);
  tree.Write("sub\\hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  tree.Write("sub\\system.txt", "s", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  chosen_ = tree.Root();

  Click(A::cmdScan);

  EXPECT_EQ(Text(A::lblTotalFile), "14");
  EXPECT_EQ(Text(A::lblFileDiperiksa), "14");
  EXPECT_EQ(Text(A::lblJumlahVirus), "0");
  EXPECT_EQ(SendMessageA(Child(A::ProgressBar1), PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(Text(A::lblPercentComplete), "100 % Complete...");
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
  EXPECT_EQ(Text(A::cmdScan), "Scan");
  EXPECT_EQ(State().ScanRoot(), tree.Root()) << "a normal folder has no trailing backslash";
  EXPECT_EQ(beeps_, 0);
}

TEST_F(MainWindow, ButtonsOtherThanStopAndExitAreDisabledDuringAScan) {
  TempTree tree("buttons");
  MakeTree(tree, 4);
  chosen_ = tree.Root();
  std::vector<int> enabledDuringScan;
  std::string captionDuringScan;
  const int buttons[] = {A::cmdScan, A::cmdHapus, A::cmdKarantina, A::cmdMenu, A::cmdKeluar, A::cmdUpdate};
  afterPump_ = [&] {
    if (!enabledDuringScan.empty()) return;
    for (int id : buttons) enabledDuringScan.push_back(IsWindowEnabled(Child(id)) ? 1 : 0);
    captionDuringScan = Text(A::cmdScan);
  };

  Click(A::cmdScan);

  EXPECT_THAT(enabledDuringScan, ::testing::ElementsAre(1, 0, 0, 0, 1, 0));
  EXPECT_EQ(captionDuringScan, "Stop");
  for (int id : buttons) EXPECT_TRUE(IsWindowEnabled(Child(id))) << id;
}

TEST_F(MainWindow, KeyboardReachesExitPastTheDisabledButtonsDuringAScan) {
  TempTree tree("keys");
  MakeTree(tree, 6);
  chosen_ = tree.Root();
  HWND focusAfterTab = nullptr;
  yieldPumps_ = [] { return true; };  // the key is handled at the second yield
  afterPump_ = [&] {
    if (pumps_ == 1) {
      SetFocus(Child(A::cmdScan));
      PostMessageA(Child(A::cmdScan), WM_KEYDOWN, VK_TAB, 0);
    } else if (pumps_ == 2) {
      focusAfterTab = GetFocus();
    }
  };
  Click(A::cmdScan);
  EXPECT_EQ(focusAfterTab, Child(A::cmdKeluar));
}

TEST_F(MainWindow, StopDuringTheCountingPass) {
  TempTree tree("stop");
  MakeTree(tree, 9);
  chosen_ = tree.Root();
  yieldPumps_ = [] { return true; };
  ClickLater(A::cmdScan);  // reaches the button at the first yield, after one file was counted

  Click(A::cmdScan);

  EXPECT_EQ(Text(A::lblTotalFile), "1");
  EXPECT_EQ(Text(A::lblFileDiperiksa), "0");
  EXPECT_EQ(Text(A::status), "Proses dihentikan, tak ada virus ditemukan.");
  EXPECT_EQ(SendMessageA(Child(A::ProgressBar1), PBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(Text(A::cmdScan), "Scan");
  EXPECT_EQ(browsed_, 1);
}

TEST_F(MainWindow, SecondScanRestartsTheCounters) {
  TempTree big("first");
  MakeTree(big, 10);
  TempTree small("second");
  MakeTree(small, 2);
  chosen_ = big.Root();
  Click(A::cmdScan);
  ASSERT_EQ(Text(A::lblFileDiperiksa), "10");

  chosen_ = small.Root();
  std::string examinedAtFirstYield;
  yieldPumps_ = [] { return true; };  // the screen catches up at every turn of the queue
  afterPump_ = [&] {
    if (examinedAtFirstYield.empty()) examinedAtFirstYield = Text(A::lblFileDiperiksa);
  };
  Click(A::cmdScan);
  EXPECT_EQ(examinedAtFirstYield, "0");
  EXPECT_EQ(Text(A::lblTotalFile), "2");
  EXPECT_EQ(Text(A::lblFileDiperiksa), "2");
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(MainWindow, TimersTickDuringAScan) {
  TempTree tree("timers");
  MakeTree(tree, 6);
  chosen_ = tree.Root();
  std::vector<std::string> statusWhileCounting;
  afterPump_ = [&] {
    // A slow file: long enough for both timers to come due.
    if (pumps_ == 1) Sleep(1200);
    if (State().Timers().Running(A::Timer2)) statusWhileCounting.push_back(Text(A::status));
  };

  Click(A::cmdScan);

  EXPECT_THAT(statusWhileCounting, ::testing::Contains("Sedang Menganalisa, Harap Tunggu"));
  EXPECT_EQ(Text(A::Label1), "Elapsed : 00:00:01");
  EXPECT_FALSE(State().Timers().Running(A::Timer1));
}

TEST_F(MainWindow, DriveRootKeepsItsBackslash) {
  chosen_ = std::string("C:\\");
  yieldPumps_ = [] { return true; };
  ClickLater(A::cmdScan);  // stop at the first yield: the whole drive is not the point here
  Click(A::cmdScan);
  EXPECT_EQ(State().ScanRoot(), "C:\\");
  EXPECT_EQ(Text(A::lblFileDiperiksa), "0");
  EXPECT_EQ(Text(A::cmdScan), "Scan");
}

TEST_F(MainWindow, PathsBeyondTheSystemLimitEndTheirBranchNotTheScan) {
  TempTree tree("long");
  // Six levels of 50-character folder names, made through the long-path
  // prefix, with one file on each level: the deeper ones cannot be listed.
  std::string folder = tree.Root();
  const std::string name(50, 'n');
  int files = 0;
  for (int level = 0; level < 6; ++level) {
    folder += "\\" + name;
    // The ANSI functions stop at the limit even with the prefix; the test's own
    // set-up goes through the wide ones.
    std::wstring wide(folder.begin(), folder.end());
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + wide).c_str(), nullptr)) << level;
    HANDLE h = CreateFileW((L"\\\\?\\" + wide + L"\\f.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    ++files;
  }
  ASSERT_GT(folder.size(), static_cast<std::size_t>(MAX_PATH));
  chosen_ = tree.Root();

  Click(A::cmdScan);

  EXPECT_EQ(Text(A::cmdScan), "Scan");
  EXPECT_EQ(Text(A::lblFileDiperiksa), Text(A::lblTotalFile));
  int counted = std::stoi(Text(A::lblTotalFile));
  EXPECT_GE(counted, 3) << "the levels within the limit are scanned";
  EXPECT_LE(counted, files);
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(MainWindow, CancelledBrowserLeavesEverythingAsItWas) {
  chosen_ = std::nullopt;
  Click(A::cmdScan);
  EXPECT_EQ(browsed_, 1);
  EXPECT_EQ(Text(A::cmdScan), "Scan");
  EXPECT_EQ(Text(A::status), "Tarvex Antivirus 2011");
}

TEST_F(MainWindow, KeluarAndTheCloseRequestEndTheProgramWhenIdle) {
  Click(A::cmdKeluar);
  EXPECT_EQ(ended_, 1);
  SendMessageA(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_EQ(ended_, 2);
  EXPECT_TRUE(messages_.empty());
  EXPECT_TRUE(IsWindow(hwnd_)) << "the window itself never closes: the program ends";
}

TEST_F(MainWindow, KeluarDuringAScanAsksAndNoLetsTheScanGoOn) {
  TempTree tree("keluar");
  MakeTree(tree, 8);
  chosen_ = tree.Root();
  afterPump_ = [&] {
    if (pumps_ == 3) Click(A::cmdKeluar);
    if (pumps_ == 5) SendMessageA(hwnd_, WM_CLOSE, 0, 0);
  };
  Click(A::cmdScan);
  ASSERT_EQ(messages_.size(), 2u);
  for (const Message& m : messages_) {
    EXPECT_EQ(m.title, "Anda Yakin?");
    EXPECT_EQ(m.flags, sys::kMbYesNo | sys::kMbIconQuestion);
  }
  EXPECT_EQ(ended_, 0);
  EXPECT_EQ(Text(A::lblFileDiperiksa), "8") << "the scan went on to its end";
  EXPECT_EQ(Text(A::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

DWORD WINAPI AnswerMessageBox(void* param) {
  auto* title = static_cast<std::string*>(param);
  for (int i = 0; i < 200; ++i) {
    if (HWND box = FindWindowA("#32770", nullptr)) {
      *title = testing::WindowText(box);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    Sleep(25);
  }
  return 1;
}

TEST(MessageBoxes, WithoutATitleShowTheApplicationTitle) {
  // Answer the box from another thread, once it is up, after reading its title.
  std::string seenTitle;
  HANDLE answerer = CreateThread(nullptr, 0, &AnswerMessageBox, &seenTitle, 0, nullptr);
  sys::MsgBox(nullptr, "Uji", MB_OK);
  WaitForSingleObject(answerer, 10000);
  CloseHandle(answerer);
  EXPECT_EQ(seenTitle, "Tarvex Project");
}

}  // namespace
}  // namespace tarvex
