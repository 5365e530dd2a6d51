// The update reminder and the download window in real windows, opened from
// the main window's Update button, with the shell and the log faked and a
// Downloads folder of the test's own.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/layout_check_win32.h"
#include "support/program_win32.h"
#include "support/window_probe_win32.h"
#include "windows/check_update_window_win32.h"
#include "windows/frm_update.h"

namespace tarvex {
namespace {

using testing::WindowText;

std::string Content(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct ClassCount {
  const char* name;
  int n;
};

BOOL CALLBACK CountVisible(HWND hwnd, LPARAM lp) {
  auto* c = reinterpret_cast<ClassCount*>(lp);
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, c->name) == 0 && IsWindowVisible(hwnd)) ++c->n;
  return TRUE;
}

int VisibleWindowsOfClass(const char* className) {
  ClassCount count{className, 0};
  EnumThreadWindows(GetCurrentThreadId(), &CountVisible, reinterpret_cast<LPARAM>(&count));
  return count.n;
}

class UpdateWindows : public testing::ProgramTest {
 protected:
  void SetUp() override { StartProgram(); }

  // The main window's Update button opens the reminder.
  HWND OpenReminder() {
    Click(Antivirus::cmdUpdate);
    ui::TableWindow* w = app_->Find(AppWindow::frmUpdate);
    return w ? w->Handle() : nullptr;
  }
  ui::TableWindow& Reminder() { return *app_->Find(AppWindow::frmUpdate); }
  HWND ReminderChild(int id) { return Reminder().Control(id); }

  // "Update Sekarang" opens the download window.
  CheckUpdateWindow* OpenDownloadWindow() {
    if (!OpenReminder()) return nullptr;
    SendMessageA(ReminderChild(frmUpdate::cmdUpdate), BM_CLICK, 0, 0);
    return static_cast<CheckUpdateWindow*>(app_->Find(AppWindow::frmCheckUpdate));
  }
  static std::string Panel(CheckUpdateWindow& w) {
    char text[256] = {};
    SendMessageA(w.Control(frmCheckUpdate::sbStatus), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
  static std::string Shown(CheckUpdateWindow& w, int id) { return WindowText(w.Control(id)); }
};

TEST_F(UpdateWindows, ReminderIsAnOwnedToolWindowWithItsLayoutAndTheFocusOnUpdateSekarang) {
  HWND reminder = OpenReminder();
  ASSERT_NE(reminder, nullptr);
  testing::ExpectWindowMatchesItsTable(Reminder());
  EXPECT_EQ(WindowText(reminder), "Pengingat Update");
  EXPECT_EQ(GetWindow(reminder, GW_OWNER), hwnd_);
  const LONG ex = GetWindowLongA(reminder, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ex & WS_EX_APPWINDOW) << "no task-bar button";
  EXPECT_FALSE(GetWindowLongA(reminder, GWL_STYLE) & WS_THICKFRAME);
  Settle();
  EXPECT_EQ(GetFocus(), ReminderChild(frmUpdate::cmdUpdate));
}

TEST_F(UpdateWindows, ReminderHoldsThenSinksMovingItsOwnFrame) {
  HWND reminder = OpenReminder();
  ASSERT_NE(reminder, nullptr);
  RECT start = {};
  GetWindowRect(reminder, &start);
  // Sixteen hold ticks, then the slide-out.
  Settle(static_cast<int>(frmUpdate::kTickMs) * 16 + 700);
  ASSERT_TRUE(IsWindow(reminder));
  RECT now = {};
  GetWindowRect(reminder, &now);
  EXPECT_GT(now.top, start.top);
  EXPECT_EQ(now.left, start.left);
  RECT client = {};
  GetClientRect(reminder, &client);
  EXPECT_EQ(client.right, 360) << "5395 twips";
  EXPECT_EQ(client.bottom, 159) << "2390 twips";
  // Both buttons stay whole above the lower edge.
  EXPECT_LE(testing::ChildRect(reminder, frmUpdate::cmdCancel).bottom, client.bottom);
}

TEST_F(UpdateWindows, TheFocusReachingTidakClosesTheReminderAtOnce) {
  struct Way {
    const char* what;
    UINT down, up;
    WPARAM wp;
    bool onTidak;  // sent to "Tidak" itself, else to "Update Sekarang"
  };
  const Way ways[] = {
      {"Tab from Update Sekarang", WM_KEYDOWN, WM_KEYUP, VK_TAB, false},
      {"Right from Update Sekarang", WM_KEYDOWN, WM_KEYUP, VK_RIGHT, false},
      {"Left from Update Sekarang", WM_KEYDOWN, WM_KEYUP, VK_LEFT, false},
      {"Up from Update Sekarang", WM_KEYDOWN, WM_KEYUP, VK_UP, false},
      {"Down from Update Sekarang", WM_KEYDOWN, WM_KEYUP, VK_DOWN, false},
      {"a mouse press on Tidak", WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, true},
  };
  for (const Way& w : ways) {
    SCOPED_TRACE(w.what);
    HWND reminder = OpenReminder();
    ASSERT_NE(reminder, nullptr);
    Settle();
    HWND update = ReminderChild(frmUpdate::cmdUpdate);
    ASSERT_EQ(GetFocus(), update);
    HWND target = w.onTidak ? ReminderChild(frmUpdate::cmdCancel) : update;
    PostMessageA(target, w.down, w.wp, MAKELPARAM(5, 5));
    PostMessageA(target, w.up, w.onTidak ? 0 : w.wp, MAKELPARAM(5, 5));
    Settle();
    EXPECT_FALSE(IsWindow(reminder));
    EXPECT_FALSE(Reminder().IsLoaded());
    EXPECT_EQ(VisibleWindowsOfClass("TarvexCheckUpdate"), 0) << "Tidak opens nothing";
  }
}

TEST_F(UpdateWindows, UpdateSekarangTwiceLogsTwiceAndShowsOneDownloadWindow) {
  CheckUpdateWindow* download = OpenDownloadWindow();
  ASSERT_NE(download, nullptr);
  ASSERT_TRUE(download->IsLoaded());
  SendMessageA(ReminderChild(frmUpdate::cmdUpdate), BM_CLICK, 0, 0);
  Settle();
  // The day's log under the test clock (31 October 2011, 09:00:00).
  EXPECT_EQ(Content(programFolder_.Root() + "\\Logs\\31_10_2011.txt"),
            "[09:00:00] frmCheckUpdate\r\n[09:00:00] frmCheckUpdate\r\n");
  EXPECT_EQ(opened_, (std::vector<std::string>{"http://www.tarvex.web.id/download/Tarvex.db"}))
      << "the open window's sequence does not run again";
  EXPECT_EQ(VisibleWindowsOfClass("TarvexCheckUpdate"), 1);
  EXPECT_EQ(GetActiveWindow(), download->Handle()) << "brought forward";
  EXPECT_TRUE(Reminder().IsLoaded()) << "the reminder stays";
}

TEST_F(UpdateWindows, DownloadWindowEndsInSuccessAndCountsDownUntilKeluar) {
  const std::string published = "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\nSelesai:Selesai\r\n";
  const std::string installed = Content(programFolder_.Root() + "\\Tarvex.db");
  downloadsFolder_.Write("Tarvex.db", published);
  CheckUpdateWindow* download = OpenDownloadWindow();
  ASSERT_NE(download, nullptr);
  HWND hwnd = download->Handle();
  testing::ExpectWindowMatchesItsTable(*download);
  EXPECT_EQ(WindowText(hwnd), "Update DataBase");
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr) << "no owner";
  const LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ex & WS_EX_APPWINDOW) << "no task-bar button";
  EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(Shown(*download, frmCheckUpdate::lblstatus), "Download Selesai.");
  EXPECT_EQ(Panel(*download), "Selesai.");
  EXPECT_EQ(Shown(*download, frmCheckUpdate::cmdClose), "Keluar");
  EXPECT_EQ(Content(programFolder_.Root() + "\\Tarvex.db"), published);
  EXPECT_EQ(Content(programFolder_.Root() + "\\Tarvex.db.bak"), installed);

  Settle(1300);
  EXPECT_EQ(Shown(*download, frmCheckUpdate::lblAuto), "Otomatis keluar dalam 29 Detik.");
  SendMessageA(download->Control(frmCheckUpdate::cmdClose), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  const int count = download->State().AutoCloseCount();
  Settle(1300);
  EXPECT_EQ(download->State().AutoCloseCount(), count) << "the countdown stopped";
}

TEST_F(UpdateWindows, DownloadWindowWithAnInvalidDownloadShowsTheErrorAndDoesNotCount) {
  const std::string installed = Content(programFolder_.Root() + "\\Tarvex.db");
  downloadsFolder_.Write("Tarvex.db", "6851cf3c:EICAR-Test-File\r\nSelesai:Selesai\r\n");
  CheckUpdateWindow* download = OpenDownloadWindow();
  ASSERT_NE(download, nullptr);
  EXPECT_EQ(Shown(*download, frmCheckUpdate::lblstatus), "Maaf,proses gagal. Ada Error");
  EXPECT_EQ(Panel(*download), "Selesai.");
  EXPECT_EQ(Shown(*download, frmCheckUpdate::cmdClose), "Keluar");
  Settle(1300);
  EXPECT_EQ(Shown(*download, frmCheckUpdate::lblAuto), "");
  EXPECT_EQ(Content(programFolder_.Root() + "\\Tarvex.db"), installed);
  // The close box closes it.
  SendMessageA(download->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(download->IsLoaded());
}

TEST_F(UpdateWindows, DownloadStatusBarSpansTheBottomOfTheSizedFrame) {
  CheckUpdateWindow* download = OpenDownloadWindow();
  ASSERT_NE(download, nullptr);
  HWND hwnd = download->Handle();
  RECT outer = {};
  GetWindowRect(hwnd, &outer);
  SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + 100, outer.bottom - outer.top + 40,
               SWP_NOMOVE | SWP_NOZORDER);
  RECT client = {};
  GetClientRect(hwnd, &client);
  RECT bar = testing::ChildRect(hwnd, frmCheckUpdate::sbStatus);
  EXPECT_EQ(bar.left, 0);
  EXPECT_EQ(bar.right, client.right);
  EXPECT_EQ(bar.bottom, client.bottom);
}

}  // namespace
}  // namespace tarvex
