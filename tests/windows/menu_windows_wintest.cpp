// The four windows of the main window's menu, opened through the menu of the
// real program, with the open-file dialog, the shell and message boxes
// answered by the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/web_addresses.h"
#include "signatures/signature_database.h"
#include "support/layout_check_win32.h"
#include "support/program_win32.h"
#include "support/window_probe_win32.h"
#include "system/files.h"
#include "system/program_folder.h"
#include "windows/ext_tool_window_win32.h"
#include "windows/frm_about.h"
#include "windows/frm_signature.h"
#include "windows/frm_temp_db.h"

namespace tarvex {
namespace {

using testing::TempTree;

class MenuWindows : public testing::ProgramTest {
 protected:
  void SetUp() override {
    sys::OverrideProgramFolder(programFolder_.Root());
    adjust_ = [this](DesktopServices& d) {
      d.getOpenFileName = [this](HWND owner, OpenFileRequest& r) {
        ++dialogs_;
        dialogOwner_ = owner;
        if (!pick_) return false;
        r.Filename = *pick_;
        return true;
      };
      d.decimalSeparator = [] { return std::string(","); };
    };
    StartProgram();
  }
  // Another window takes the activation, so that what a window asks for
  // cannot belong to the active window by chance.
  HWND ActivateAnother() {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    return other;
  }
  void TearDown() override { sys::OverrideProgramFolder(""); }

  // Opens a window through its menu item, as the user does.
  ui::TableWindow& Open(int menuItem, AppWindow kind) {
    State().Click(menuItem);
    Settle();
    ui::TableWindow* w = app_->Find(kind);
    EXPECT_TRUE(w && w->IsLoaded());
    return *w;
  }
  static std::string Shown(ui::TableWindow& w, int id) { return testing::WindowText(w.Control(id)); }
  static void Press(ui::TableWindow& w, int id) { SendMessageA(w.Control(id), BM_CLICK, 0, 0); }
  std::vector<std::string> LogLines() {
    std::optional<std::vector<unsigned char>> log = sys::ReadWholeFile(programFolder_.Root() + "\\Logs\\31_10_2011.txt");
    std::vector<std::string> lines;
    if (!log) return lines;
    std::string text(log->begin(), log->end());
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(text.substr(text.find("] ", start) + 2, end - text.find("] ", start) - 2));
    return lines;
  }

  std::optional<std::string> pick_;
  int dialogs_ = 0;
  HWND dialogOwner_ = nullptr;
  TempTree files_{"files"};
};

struct MenuEntry {
  int item;
  AppWindow kind;
  int closeButton;
};
const MenuEntry kMenu[] = {
    {Antivirus::mnuTemp, AppWindow::frmTempDb, frmTempDb::cmdTutup},
    {Antivirus::mnuTool, AppWindow::frmExtTool, frmExtTool::cmdTutup},
    {Antivirus::mnuViewSigna, AppWindow::frmSignature, frmSignature::cmdTutup},
    {Antivirus::mnuAbout, AppWindow::frmAbout, frmAbout::cmd_tutup},
};

TEST_F(MenuWindows, EachIsOneWindowThatBlocksTheMainWindowUntilItCloses) {
  for (const MenuEntry& m : kMenu) {
    for (int opening = 0; opening < 2; ++opening) {
      ui::TableWindow& w = Open(m.item, m.kind);
      SCOPED_TRACE(w.State().Window().title);
      EXPECT_EQ(&w, app_->Find(m.kind)) << "one object per run";
      testing::ExpectWindowMatchesItsTable(w);
      EXPECT_EQ(GetWindow(w.Handle(), GW_OWNER), hwnd_);
      EXPECT_FALSE(IsWindowEnabled(hwnd_));

      State().Controls().SetText(Antivirus::status, "busy elsewhere");
      Press(w, m.closeButton);
      Settle();
      EXPECT_FALSE(w.IsLoaded());
      EXPECT_TRUE(IsWindowEnabled(hwnd_));
      EXPECT_EQ(Text(Antivirus::status), "Tarvex Antivirus 2011") << "activation ran again";
    }
  }
}

TEST_F(MenuWindows, TempDbShowsAnEmptyFileAndACancelChangesNothing) {
  ui::TableWindow& w = Open(Antivirus::mnuTemp, AppWindow::frmTempDb);
  pick_ = files_.Write("empty.txt", "");
  HWND other = ActivateAnother();
  Press(w, frmTempDb::cmdBrowse);
  DestroyWindow(other);
  EXPECT_EQ(dialogOwner_, w.Handle());
  EXPECT_EQ(Shown(w, frmTempDb::txtFileName), *pick_);
  EXPECT_EQ(Shown(w, frmTempDb::lblChecksum), "0");
  EXPECT_EQ(Shown(w, frmTempDb::lblUkuran), "0 Kb.");
  EXPECT_EQ(Shown(w, frmTempDb::lblPacker), "Tiada");
  EXPECT_EQ(Shown(w, frmTempDb::lblCompiler), "Tak Diketahui");
  EXPECT_EQ(Shown(w, frmTempDb::lblType), "Text Document");
  EXPECT_FALSE(IsWindowEnabled(w.Control(frmTempDb::Check1)));

  pick_ = files_.Write("half.exe", std::string(1536, 'x'));
  Press(w, frmTempDb::cmdBrowse);
  EXPECT_EQ(Shown(w, frmTempDb::lblUkuran), "1,5 Kb.") << "the user's decimal separator";
  EXPECT_TRUE(IsWindowEnabled(w.Control(frmTempDb::Check1)));

  pick_.reset();
  Press(w, frmTempDb::cmdBrowse);
  EXPECT_EQ(dialogs_, 3);
  EXPECT_EQ(Shown(w, frmTempDb::txtFileName), files_.Root() + "\\half.exe");
  EXPECT_EQ(Shown(w, frmTempDb::lblUkuran), "1,5 Kb.");
  EXPECT_EQ(Shown(w, frmTempDb::lblType), "Application");
}

TEST_F(MenuWindows, AMarkedFileIsReportedByLaterScansAsARequestOfTheUserAndADisabledBoxNeverMarks) {
  programFolder_.Write("Tarvex.db", "Selesai:Selesai\r\n");
  std::string marked = files_.Write("scan\\suspect.com", "a program the user does not trust");
  files_.Write("scan\\other.com", "another program");
  ui::TableWindow& w = Open(Antivirus::mnuTemp, AppWindow::frmTempDb);
  pick_ = marked;
  Press(w, frmTempDb::cmdBrowse);
  Press(w, frmTempDb::Check1);
  const std::string checksum = Shown(w, frmTempDb::lblChecksum);
  EXPECT_NE(checksum, "0");
  Press(w, frmTempDb::cmdTutup);
  Settle();

  chosen_ = files_.Root() + "\\scan";
  Click(Antivirus::cmdScan);
  HWND list = Child(Antivirus::ListView1);
  ASSERT_EQ(testing::ListRows(list), 1);
  EXPECT_EQ(testing::ListCell(list, 0, 1), "Permintaan User");
  EXPECT_EQ(testing::ListCell(list, 0, 2), marked);

  // Opened again, it starts empty and unticked.
  Open(Antivirus::mnuTemp, AppWindow::frmTempDb);
  EXPECT_EQ(Shown(w, frmTempDb::lblChecksum), "");
  EXPECT_EQ(SendMessageA(w.Control(frmTempDb::Check1), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  // Ticked, then a file the scan never checksums: the box is disabled, and
  // closing the window keeps the mark that works.
  Press(w, frmTempDb::Check1);
  pick_ = files_.Write("big.exe", std::string(768000, 'x'));
  Press(w, frmTempDb::cmdBrowse);
  EXPECT_FALSE(IsWindowEnabled(w.Control(frmTempDb::Check1)));
  Press(w, frmTempDb::cmdTutup);
  Settle();
  Click(Antivirus::cmdScan);
  ASSERT_EQ(testing::ListRows(list), 1);
  EXPECT_EQ(testing::ListCell(list, 0, 1), "Permintaan User");
}

TEST_F(MenuWindows, SignatureListShowsTheDatabaseAndTheBuiltInNames) {
  programFolder_.Write("Tarvex.db", "1A2B3C4D:w32.Example.A\r\n9F00E1:w32.Example.B\r\nSelesai:Selesai\r\n");
  ui::TableWindow& w = Open(Antivirus::mnuViewSigna, AppWindow::frmSignature);
  HWND list = w.Control(frmSignature::List1);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 8);
  char line[256] = {};
  SendMessageA(list, LB_GETTEXT, 7, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, "8. w32.spooler");
  EXPECT_EQ(Shown(w, frmSignature::lblJumlahVirus), "Jumlah Signature : 8");
}

TEST_F(MenuWindows, ExtToolStartsAVisibleBatchFileAndLogsEitherWay) {
  ui::TableWindow& w = Open(Antivirus::mnuTool, AppWindow::frmExtTool);
  auto clickLink = [&] {
    SendMessageA(w.Control(frmExtTool::Label1), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(w.Control(frmExtTool::Label1), WM_LBUTTONUP, 0, 0);
    Settle();
  };
  const std::string batch = programFolder_.Write("FileRecover.bat", "@echo off\r\n", FILE_ATTRIBUTE_HIDDEN);
  clickLink();
  ASSERT_FALSE(messages_.empty());
  EXPECT_EQ(messages_.back().title, "Error");
  EXPECT_EQ(messages_.back().flags, sys::kMbOk | sys::kMbIconExclamation);
  EXPECT_EQ(messages_.back().text, "Maaf, file " + programFolder_.Root() +
                                       "\\FileRecover.bat tidak ditemukan.\r\n"
                                       "Vado Tarvex Antivirus tidak dapat melakukan perintah ini.\r\n"
                                       "Silahkan download kembali dari " +
                                       config::kHomePage);
  EXPECT_TRUE(opened_.empty());

  SetFileAttributesA(batch.c_str(), FILE_ATTRIBUTE_NORMAL);
  clickLink();
  EXPECT_EQ(opened_, std::vector<std::string>{batch});
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"Pengembalian File", "Pengembalian File"}));
  EXPECT_TRUE(IsWindowEnabled(w.Handle())) << "the window stays open";
}

TEST_F(MenuWindows, ExtToolLinkShowsItsOwnHandCursor) {
  auto& w = static_cast<ExtToolWindow&>(Open(Antivirus::mnuTool, AppWindow::frmExtTool));
  HWND link = w.Control(frmExtTool::Label1);
  SendMessageA(w.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), w.LinkCursor());
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(w.LinkCursor(), &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 12u);
  EXPECT_EQ(info.yHotspot, 1u);
  BITMAP mask = {};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(MenuWindows, AboutScrollsTheCreditsAndVisitOpensTheHomePage) {
  ui::TableWindow& w = Open(Antivirus::mnuAbout, AppWindow::frmAbout);
  HWND credits = w.Control(frmAbout::Text1);
  EXPECT_EQ(testing::WindowText(credits), CreditsText());
  auto& about = static_cast<frmAbout&>(w.State());
  auto shownTop = [&] { return testing::ChildRect(GetParent(credits), frmAbout::Text1).top; };
  const LONG start = shownTop();
  EXPECT_EQ(start, ui::Px(about.Text1Top()));
  EXPECT_GE(about.Text1Top(), 1900) << "a few ticks at most since it opened at 2000";
  Settle(400);
  EXPECT_LT(shownTop(), start) << "the credits rise";
  EXPECT_EQ(shownTop(), ui::Px(about.Text1Top()));

  HWND other = ActivateAnother();
  Press(w, frmAbout::cmdVisitMe);
  DestroyWindow(other);
  EXPECT_EQ(opened_, std::vector<std::string>{config::kHomePage});
  EXPECT_EQ(openedFor_, std::vector<HWND>{w.Handle()});
  EXPECT_EQ(LogLines(), std::vector<std::string>{"Download Database"});
}

}  // namespace
}  // namespace tarvex
