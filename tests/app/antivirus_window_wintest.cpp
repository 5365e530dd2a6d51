// The main window as a user and UI automation see it: real child windows,
// real clicks, the real event queue and timers, and a scan of real files.
#include "app/antivirus_window_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "app/antivirus_ids.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"
#include "system/shell.h"

namespace tarvex {
namespace {

using testing::ChildRect;
using testing::ChildText;
using testing::TempTree;

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    AntivirusServices services;
    services.browseFolder = [this] {
      ++browsed_;
      return chosen_;
    };
    services.yield = [this] {
      sys::PumpPendingMessages(hwnd_);  // the real event queue, as the window pumps it
      ++pumps_;
      if (afterPump_) afterPump_();
    };
    services.beep = [this] { ++beeps_; };
    services.endProgram = [this] { ended_ = true; };
    window_ = std::make_unique<AntivirusWindow>(services);
    ASSERT_TRUE(window_->Create(SW_SHOWNORMAL));
    hwnd_ = window_->Handle();
  }

  std::string Text(int id) { return ChildText(hwnd_, id); }
  HWND Child(int id) { return GetDlgItem(hwnd_, id); }
  void Click(int id) { SendMessageA(Child(id), BM_CLICK, 0, 0); }
  // A click that waits in the queue until the scan next yields.
  void ClickLater(int id) { PostMessageA(Child(id), BM_CLICK, 0, 0); }

  void MakeTree(TempTree& tree, int files) {
    for (int i = 0; i < files; ++i) {
      std::string folder = i % 3 == 0 ? "" : (i % 3 == 1 ? "sub\\" : "sub\\deeper\\");
      tree.Write(folder + "file" + std::to_string(i) + ".txt", "content " + std::to_string(i));
    }
  }

  std::unique_ptr<AntivirusWindow> window_;
  HWND hwnd_ = nullptr;
  std::optional<std::string> chosen_;
  std::function<void()> afterPump_;
  int browsed_ = 0;
  int pumps_ = 0;
  int beeps_ = 0;
  bool ended_ = false;
};

TEST_F(MainWindow, IsABorderlessNavyWindowOfTheDesignedSize) {
  RECT client;
  GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, 730);
  EXPECT_EQ(client.bottom, 412);
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(testing::WindowText(hwnd_), "Tarvex Antivirus");

  // The background and the label colours, as the window paints them.
  HDC screen = GetDC(hwnd_);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 730, 412);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageA(hwnd_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 10, 200), RGB(0, 0, 128)) << "left of the result list";
  for (int id : {ids::jumlah_file, ids::lblFileDiperiksa, ids::status, ids::Label1, ids::lblJumlahVirus}) {
    SendMessageA(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Child(id)));
    EXPECT_EQ(GetTextColor(dc), id == ids::lblJumlahVirus ? RGB(255, 0, 0) : RGB(0, 255, 0)) << id;
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 128)) << id;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(hwnd_, screen);
}

TEST_F(MainWindow, EveryControlIsARealChildAtItsLayoutRectangle) {
  struct Expected {
    int id;
    int x, y, w, h;
    const char* text;
  };
  const Expected layout[] = {
      {ids::Image1, 0, 0, 729, 107, nullptr},
      {ids::jumlah_file, 24, 120, 73, 17, "File Diperiksa "},
      {ids::Label2, 112, 120, 9, 17, ":"},
      {ids::lblFileDiperiksa, 128, 120, 57, 17, "0"},
      {ids::persen, 24, 136, 65, 17, "Total File  "},
      {ids::Label4, 112, 136, 9, 17, ":"},
      {ids::lblTotalFile, 128, 136, 57, 17, "0"},
      {ids::Virus_Ditemukan, 24, 152, 81, 17, "Virus Ditemukan "},
      {ids::Label3, 112, 152, 9, 17, ":"},
      {ids::lblJumlahVirus, 128, 152, 57, 17, "0"},
      {ids::status, 224, 120, 497, 25, ""},
      {ids::lblPercentComplete, 472, 144, 169, 17, "0 % Complete..."},
      {ids::ProgressBar1, 192, 160, 465, 17, nullptr},
      {ids::ListView1, 8, 184, 609, 153, nullptr},
      {ids::cmdScan, 632, 184, 89, 25, "Scan"},
      {ids::cmdHapus, 632, 216, 89, 25, "Hapus"},
      {ids::cmdKarantina, 632, 248, 89, 25, "Karantina"},
      {ids::cmdMenu, 632, 280, 89, 25, "Menu"},
      {ids::cmdKeluar, 632, 312, 89, 25, "Keluar"},
      {ids::cmdUpdate, 632, 344, 89, 25, "Update"},
      {ids::Label1, 24, 356, 121, 17, "Elapsed : 00:00:00"},
      {ids::Image2, 248, 344, 211, 61, nullptr},
      {ids::Line1, 0, 104, 665, 1, nullptr},
  };
  for (const Expected& e : layout) {
    SCOPED_TRACE(e.id);
    ASSERT_NE(Child(e.id), nullptr);
    EXPECT_TRUE(IsWindowVisible(Child(e.id)));
    RECT r = ChildRect(hwnd_, e.id);
    EXPECT_EQ(r.left, e.x);
    EXPECT_EQ(r.top, e.y);
    EXPECT_EQ(r.right - r.left, e.w);
    EXPECT_EQ(r.bottom - r.top, e.h);
    if (e.text) {
      EXPECT_EQ(Text(e.id), e.text);
    }
  }
}

TEST_F(MainWindow, LabelsAndButtonsUseTheirDesignedFonts) {
  auto font = [&](int id) {
    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Child(id), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
  };
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  LOGFONTA counter = font(ids::lblFileDiperiksa);
  EXPECT_STREQ(counter.lfFaceName, "Tahoma");
  EXPECT_EQ(counter.lfHeight, -MulDiv(825, dpi, 7200));
  EXPECT_STREQ(font(ids::Label2).lfFaceName, "Arial");
  EXPECT_EQ(font(ids::Label2).lfHeight, -MulDiv(9, dpi, 72));
  for (int id : {ids::Label1, ids::cmdScan, ids::cmdUpdate}) {
    SCOPED_TRACE(id);
    EXPECT_STREQ(font(id).lfFaceName, "Tahoma");
    EXPECT_EQ(font(id).lfWeight, FW_BOLD);
    EXPECT_EQ(font(id).lfHeight, -MulDiv(9, dpi, 72));
  }
}

TEST_F(MainWindow, ResultListHasItsFiveColumns) {
  HWND list = Child(ids::ListView1);
  EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & LVS_REPORT);
  const char* headers[] = {" ", "Nama Virus ", "Lokasi :", "Ukuran (byte)", "Keterangan"};
  const int widths[] = {0, 120, 247, 110, 110};
  for (int i = 0; i < 5; ++i) {
    char text[64] = {};
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.pszText = text;
    col.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessageA(list, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&col)));
    EXPECT_STREQ(text, headers[i]);
    EXPECT_EQ(col.cx, widths[i]);
    EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, i == 3 ? LVCFMT_RIGHT : LVCFMT_LEFT);
  }
}

TEST_F(MainWindow, ButtonsCarryTheirTooltipsAndTheMenuItsItems) {
  const std::pair<Ctl, const char*> tips[] = {
      {Ctl::cmdScan, "Klik disini untuk memeriksa file."},
      {Ctl::cmdHapus, "Klik disini untuk menghapus virus yang terdeteksi."},
      {Ctl::cmdKarantina, "Klik disini untuk memindahkan virus ke karantina."},
      {Ctl::cmdMenu, "Klik disini untuk menjalankan  menu tambahan."},
      {Ctl::cmdKeluar, "Klik disini untuk Keluar."},
      {Ctl::cmdUpdate, "Update Antivirus disini"},
  };
  for (const auto& [control, tip] : tips) {
    XPButton& b = window_->Button(control);
    char text[256] = {};
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.hwnd = hwnd_;
    info.uId = reinterpret_cast<UINT_PTR>(b.Handle());
    info.lpszText = text;
    SendMessageA(b.ToolTipWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, tip);
    EXPECT_EQ(b.ForeColor(), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(b.ForeHover(), control == Ctl::cmdUpdate ? RGB(0, 0, 0) : RGB(192, 0, 0));
  }

  HMENU menu = window_->PopupMenu();
  ASSERT_EQ(GetMenuItemCount(menu), 4);
  const char* items[] = {"Temp Database", "External Tool", "View Signature", "About"};
  const int itemIds[] = {ids::mnuTemp, ids::mnuTool, ids::mnuViewSigna, ids::mnuAbout};
  for (int i = 0; i < 4; ++i) {
    char text[64] = {};
    GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, items[i]);
    EXPECT_EQ(GetMenuItemID(menu, i), static_cast<UINT>(itemIds[i]));
  }
}

TEST_F(MainWindow, ScanOfATreeCountsEveryFileAndFinishesClean) {
  TempTree tree("scan");
  MakeTree(tree, 12);
  tree.Write("sub\\hidden.txt", "h", FILE_ATTRIBUTE_HIDDEN);
  tree.Write("sub\\system.txt", "s", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  chosen_ = tree.Root();

  Click(ids::cmdScan);

  EXPECT_EQ(Text(ids::lblTotalFile), "14");
  EXPECT_EQ(Text(ids::lblFileDiperiksa), "14");
  EXPECT_EQ(Text(ids::lblJumlahVirus), "0");
  EXPECT_EQ(SendMessageA(Child(ids::ProgressBar1), PBM_GETPOS, 0, 0), 100);
  EXPECT_EQ(Text(ids::lblPercentComplete), "100 % Complete...");
  EXPECT_EQ(Text(ids::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
  EXPECT_EQ(Text(ids::cmdScan), "Scan");
  EXPECT_EQ(window_->State().ScanRoot(), tree.Root()) << "a normal folder has no trailing backslash";
  EXPECT_EQ(beeps_, 0);
}

TEST_F(MainWindow, ButtonsOtherThanStopAndExitAreDisabledDuringAScan) {
  TempTree tree("buttons");
  MakeTree(tree, 4);
  chosen_ = tree.Root();
  std::vector<int> enabledDuringScan;
  std::string captionDuringScan;
  afterPump_ = [&] {
    if (!enabledDuringScan.empty()) return;
    for (int id : {ids::cmdScan, ids::cmdHapus, ids::cmdKarantina, ids::cmdMenu, ids::cmdKeluar, ids::cmdUpdate})
      enabledDuringScan.push_back(IsWindowEnabled(Child(id)) ? 1 : 0);
    captionDuringScan = Text(ids::cmdScan);
  };

  Click(ids::cmdScan);

  EXPECT_THAT(enabledDuringScan, ::testing::ElementsAre(1, 0, 0, 0, 1, 0));
  EXPECT_EQ(captionDuringScan, "Stop");
  for (int id : {ids::cmdScan, ids::cmdHapus, ids::cmdKarantina, ids::cmdMenu, ids::cmdKeluar, ids::cmdUpdate})
    EXPECT_TRUE(IsWindowEnabled(Child(id))) << id;
}

TEST_F(MainWindow, KeyboardReachesExitPastTheDisabledButtonsDuringAScan) {
  TempTree tree("keys");
  MakeTree(tree, 6);
  chosen_ = tree.Root();
  HWND focusAfterTab = nullptr;
  afterPump_ = [&] {
    if (pumps_ == 1) {
      SetFocus(Child(ids::cmdScan));
      PostMessageA(Child(ids::cmdScan), WM_KEYDOWN, VK_TAB, 0);
    } else if (pumps_ == 2) {
      focusAfterTab = GetFocus();
    }
  };
  Click(ids::cmdScan);
  EXPECT_EQ(focusAfterTab, Child(ids::cmdKeluar));
}

TEST_F(MainWindow, StopDuringTheCountingPass) {
  TempTree tree("stop");
  MakeTree(tree, 9);
  chosen_ = tree.Root();
  ClickLater(ids::cmdScan);  // reaches the button at the first yield, after one file was counted

  Click(ids::cmdScan);

  EXPECT_EQ(Text(ids::lblTotalFile), "1");
  EXPECT_EQ(Text(ids::lblFileDiperiksa), "0");
  EXPECT_EQ(Text(ids::status), "Proses dihentikan, tak ada virus ditemukan.");
  EXPECT_EQ(SendMessageA(Child(ids::ProgressBar1), PBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(Text(ids::cmdScan), "Scan");
  EXPECT_EQ(browsed_, 1);
}

TEST_F(MainWindow, SecondScanRestartsTheCounters) {
  TempTree big("first");
  MakeTree(big, 10);
  TempTree small("second");
  MakeTree(small, 2);
  chosen_ = big.Root();
  Click(ids::cmdScan);
  ASSERT_EQ(Text(ids::lblFileDiperiksa), "10");

  chosen_ = small.Root();
  std::string examinedAtFirstYield;
  afterPump_ = [&] {
    if (examinedAtFirstYield.empty()) examinedAtFirstYield = Text(ids::lblFileDiperiksa);
  };
  Click(ids::cmdScan);
  EXPECT_EQ(examinedAtFirstYield, "0");
  EXPECT_EQ(Text(ids::lblTotalFile), "2");
  EXPECT_EQ(Text(ids::lblFileDiperiksa), "2");
  EXPECT_EQ(Text(ids::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(MainWindow, TimersTickDuringAScan) {
  TempTree tree("timers");
  MakeTree(tree, 6);
  chosen_ = tree.Root();
  std::vector<std::string> statusWhileCounting;
  afterPump_ = [&] {
    // A slow file: long enough for both timers to come due.
    if (pumps_ == 1) Sleep(1200);
    if (window_->State().TimerEnabled(Timer::Timer2)) statusWhileCounting.push_back(Text(ids::status));
  };

  Click(ids::cmdScan);

  EXPECT_THAT(statusWhileCounting, ::testing::Contains("Sedang Menganalisa, Harap Tunggu"));
  EXPECT_EQ(Text(ids::Label1), "Elapsed : 00:00:01");
  EXPECT_FALSE(window_->State().TimerEnabled(Timer::Timer1));
}

TEST_F(MainWindow, DriveRootKeepsItsBackslash) {
  chosen_ = std::string("C:\\");
  ClickLater(ids::cmdScan);  // stop at the first yield: the whole drive is not the point here
  Click(ids::cmdScan);
  EXPECT_EQ(window_->State().ScanRoot(), "C:\\");
  EXPECT_EQ(Text(ids::lblFileDiperiksa), "0");
  EXPECT_EQ(Text(ids::cmdScan), "Scan");
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

  Click(ids::cmdScan);

  EXPECT_EQ(Text(ids::cmdScan), "Scan");
  EXPECT_EQ(Text(ids::lblFileDiperiksa), Text(ids::lblTotalFile));
  int counted = std::stoi(Text(ids::lblTotalFile));
  EXPECT_GE(counted, 3) << "the levels within the limit are scanned";
  EXPECT_LE(counted, files);
  EXPECT_EQ(Text(ids::status), "Pemeriksaan selesai, tak ada virus ditemukan.");
}

TEST_F(MainWindow, CancelledBrowserLeavesEverythingAsItWas) {
  chosen_ = std::nullopt;
  Click(ids::cmdScan);
  EXPECT_EQ(browsed_, 1);
  EXPECT_EQ(Text(ids::cmdScan), "Scan");
  EXPECT_EQ(Text(ids::status), "");
}

TEST_F(MainWindow, KeluarEndsTheProgram) {
  Click(ids::cmdKeluar);
  EXPECT_TRUE(ended_);
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
