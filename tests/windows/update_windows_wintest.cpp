// The update reminder and the download window in real windows, opened from
// the main window's Update button, with the shell faked and a Downloads
// folder of the test's own.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <iterator>

#include "support/file_content.h"
#include "support/layout_check_win32.h"
#include "support/program_win32.h"
#include "support/window_probe_win32.h"
#include "windows/check_update_window_win32.h"
#include "windows/frm_update.h"

namespace tarvex {
namespace {

using testing::WindowText;
using C = frmCheckUpdate;

int VisibleDownloadWindows() {
  int n = 0;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, kCheckUpdateWindow.className, nullptr));)
    n += IsWindowVisible(w) ? 1 : 0;
  return n;
}

class UpdateWindows : public testing::ProgramTest {
 protected:
  void SetUp() override { StartProgram(); }

  // The main window's Update button opens the reminder.
  HWND OpenReminder() {
    Click(Antivirus::cmdUpdate);
    return Reminder().Handle();
  }
  ui::TableWindow& Reminder() { return *app_->Find(AppWindow::frmUpdate); }
  HWND ReminderChild(int id) { return Reminder().Control(id); }
  // "Update Sekarang" opens the download window.
  CheckUpdateWindow& OpenDownloadWindow() {
    OpenReminder();
    SendMessageA(ReminderChild(frmUpdate::cmdUpdate), BM_CLICK, 0, 0);
    return *static_cast<CheckUpdateWindow*>(app_->Find(AppWindow::frmCheckUpdate));
  }
  static std::string Panel(CheckUpdateWindow& w) {
    char text[256] = {};
    SendMessageA(w.Control(C::sbStatus), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::string Database() { return testing::FileContent(programFolder_.Root() + "\\Tarvex.db"); }
};

TEST_F(UpdateWindows, ReminderIsAnOwnedToolWindowThatSinksWithItsButtonsWhole) {
  HWND reminder = OpenReminder();
  testing::ExpectWindowMatchesItsTable(Reminder());
  EXPECT_EQ(WindowText(reminder), "Pengingat Update");
  EXPECT_EQ(GetWindow(reminder, GW_OWNER), hwnd_);
  EXPECT_EQ(GetWindowLongA(reminder, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW)
      << "no task-bar button";
  RECT start = {};
  GetWindowRect(reminder, &start);
  Settle(static_cast<int>(frmUpdate::kTickMs) * 16 + 700);  // sixteen hold ticks, then the slide-out
  EXPECT_EQ(GetFocus(), ReminderChild(frmUpdate::cmdUpdate));
  RECT now = {}, client = {};
  GetWindowRect(reminder, &now);
  GetClientRect(reminder, &client);
  EXPECT_GT(now.top, start.top);
  EXPECT_EQ((std::pair{client.right, client.bottom}), (std::pair{360L, 159L})) << "5395 x 2390 twips";
  EXPECT_LE(testing::ChildRect(reminder, frmUpdate::cmdCancel).bottom, client.bottom);
}

TEST_F(UpdateWindows, TheFocusReachingTidakClosesTheReminderAtOnce) {
  struct Way {
    const char* what;
    UINT down, up;
    WPARAM key;  // 0: a mouse press on Tidak
  };
  const Way ways[] = {
      {"Tab", WM_KEYDOWN, WM_KEYUP, VK_TAB},     {"Right", WM_KEYDOWN, WM_KEYUP, VK_RIGHT},
      {"Left", WM_KEYDOWN, WM_KEYUP, VK_LEFT},   {"Up", WM_KEYDOWN, WM_KEYUP, VK_UP},
      {"Down", WM_KEYDOWN, WM_KEYUP, VK_DOWN},   {"mouse", WM_LBUTTONDOWN, WM_LBUTTONUP, 0},
  };
  for (const Way& w : ways) {
    SCOPED_TRACE(w.what);
    HWND reminder = OpenReminder();
    Settle();
    ASSERT_EQ(GetFocus(), ReminderChild(frmUpdate::cmdUpdate));
    HWND target = ReminderChild(w.key ? frmUpdate::cmdUpdate : frmUpdate::cmdCancel);
    PostMessageA(target, w.down, w.key ? w.key : MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(target, w.up, w.key, MAKELPARAM(5, 5));
    Settle();
    EXPECT_FALSE(IsWindow(reminder));
    EXPECT_EQ(VisibleDownloadWindows(), 0);
  }
}

TEST_F(UpdateWindows, UpdateSekarangTwiceLogsTwiceAndShowsOneDownloadWindow) {
  CheckUpdateWindow& download = OpenDownloadWindow();
  SendMessageA(ReminderChild(frmUpdate::cmdUpdate), BM_CLICK, 0, 0);
  Settle();
  // The day's log under the test clock (31 October 2011, 09:00:00).
  EXPECT_EQ(testing::FileContent(programFolder_.Root() + "\\Logs\\31_10_2011.txt"),
            "[09:00:00] frmCheckUpdate\r\n[09:00:00] frmCheckUpdate\r\n");
  EXPECT_EQ(opened_, (std::vector<std::string>{"http://www.tarvex.web.id/download/Tarvex.db"}))
      << "the open window's sequence does not run again";
  EXPECT_EQ(openedFor_, std::vector<HWND>{download.Handle()}) << "not the reminder, active at the time";
  EXPECT_EQ(VisibleDownloadWindows(), 1);
  EXPECT_EQ(GetActiveWindow(), download.Handle()) << "brought forward";
  EXPECT_TRUE(Reminder().IsLoaded());
}

TEST_F(UpdateWindows, DownloadWindowReplacesTheDatabaseAndCountsDownUntilKeluar) {
  const std::string installed = Database();
  const std::string published = "6851CF3C:EICAR-Test-File\r\n1A2B:W32.Baru\r\nSelesai:Selesai\r\n";
  downloadsFolder_.Write("Tarvex.db", published);
  CheckUpdateWindow& download = OpenDownloadWindow();
  HWND hwnd = download.Handle();
  testing::ExpectWindowMatchesItsTable(download);
  EXPECT_EQ(WindowText(hwnd), "Update DataBase");
  EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW), WS_EX_TOOLWINDOW);
  EXPECT_EQ(WindowText(download.Control(C::lblstatus)), "Download Selesai.");
  EXPECT_EQ(Panel(download), "Selesai.");
  EXPECT_EQ(WindowText(download.Control(C::cmdClose)), "Keluar");
  EXPECT_EQ(Database(), published);
  EXPECT_EQ(testing::FileContent(programFolder_.Root() + "\\Tarvex.db.bak"), installed);

  Settle(1300);
  EXPECT_EQ(WindowText(download.Control(C::lblAuto)), "Otomatis keluar dalam 29 Detik.");
  SendMessageA(download.Control(C::cmdClose), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  const int count = download.State().AutoCloseCount();
  Settle(1300);
  EXPECT_EQ(download.State().AutoCloseCount(), count) << "the countdown stopped";
}

TEST_F(UpdateWindows, DownloadWindowShowsTheErrorForAnInvalidDownloadAndKeepsItsBarAtTheBottom) {
  const std::string installed = Database();
  downloadsFolder_.Write("Tarvex.db", "6851cf3c:EICAR-Test-File\r\nSelesai:Selesai\r\n");
  CheckUpdateWindow& download = OpenDownloadWindow();
  EXPECT_EQ(WindowText(download.Control(C::lblstatus)), "Maaf,proses gagal. Ada Error");
  EXPECT_EQ(Panel(download), "Selesai.");
  EXPECT_EQ(WindowText(download.Control(C::cmdClose)), "Keluar");
  EXPECT_EQ(Database(), installed);

  HWND hwnd = download.Handle();
  SetWindowPos(hwnd, nullptr, 0, 0, 700, 260, SWP_NOMOVE | SWP_NOZORDER);
  RECT client = {};
  GetClientRect(hwnd, &client);
  RECT bar = testing::ChildRect(hwnd, C::sbStatus);
  EXPECT_EQ((std::pair{bar.left, bar.right}), (std::pair{0L, client.right}));
  EXPECT_EQ(bar.bottom, client.bottom);

  Settle(1300);
  EXPECT_EQ(WindowText(download.Control(C::lblAuto)), "") << "no countdown";
  SendMessageA(hwnd, WM_CLOSE, 0, 0);  // the close box
  EXPECT_FALSE(download.IsLoaded());
}

}  // namespace
}  // namespace tarvex
