// The program's windows together: activation of the main window, the windows
// the App owns, keyboard navigation during a scan, and the end of the program
// as another program sees it.
#include "app/app_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "support/other_process_win32.h"
#include "support/program_win32.h"
#include "support/temp_tree_win32.h"

namespace tarvex {
namespace {

using A = Antivirus;
using testing::OtherProcess;
using testing::TempTree;

// A small window of the program, as the menu windows will be.
constexpr ui::ControlSpec kTwoButtons[] = {
    {.kind = ui::Kind::Button, .id = 11, .name = "cmdSatu", .box = {10, 10, 80, 25}, .text = "Satu", .flags = ui::kTabStop},
    {.kind = ui::Kind::Button, .id = 12, .name = "cmdDua", .box = {100, 10, 80, 25}, .text = "Dua", .flags = ui::kTabStop},
};
constexpr ui::WindowSpec kTwoButtonsWindow = {
    .className = "TarvexTestWindow", .title = "Uji", .clientWidth = 200, .clientHeight = 60};

class TwoButtons : public ui::WindowState {
 public:
  TwoButtons() : ui::WindowState(kTwoButtonsWindow, kTwoButtons) {}
  void Form_Load() override { ++loads; }
  void Form_Unload() override { ++unloads; }
  int loads = 0;
  int unloads = 0;
};

class Program : public testing::ProgramTest {
 protected:
  // Registers the test's window under `kind`.
  ui::TableWindow* Window(AppWindow kind) { return app_->Find(kind); }
  void Register(AppWindow kind, App::MainWindow main) {
    app_->Register(kind, main, [](App&) { return std::make_unique<ui::TableWindow>(std::make_unique<TwoButtons>()); });
  }
  void MenuCommand(int item) { SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(item), 0); }
  int Warnings() const {
    int n = 0;
    for (const Message& m : messages_) n += m.title == "Peringatan" && m.flags == (sys::kMbOk | sys::kMbIconExclamation);
    return n;
  }
};

TEST_F(Program, MenuWindowBlocksTheMainWindowAndItsClosingIsAnActivation) {
  clock_.now = {2012, 1, 2};
  StartProgram();
  ASSERT_EQ(Warnings(), 1) << "the first showing is an activation";
  Register(AppWindow::frmAbout, App::MainWindow::Blocked);

  MenuCommand(A::mnuAbout);
  Settle();
  ui::TableWindow* about = Window(AppWindow::frmAbout);
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(GetWindow(about->Handle(), GW_OWNER), hwnd_);
  EXPECT_EQ(GetActiveWindow(), about->Handle());
  EXPECT_FALSE(IsWindowEnabled(hwnd_));
  EXPECT_EQ(Warnings(), 1);

  PostMessageA(about->Handle(), WM_CLOSE, 0, 0);
  Settle();
  EXPECT_FALSE(about->IsLoaded());
  EXPECT_TRUE(IsWindowEnabled(hwnd_));
  EXPECT_EQ(GetActiveWindow(), hwnd_);
  EXPECT_EQ(Warnings(), 2) << "back from another of the program's windows";

  // The same object again, loaded afresh.
  MenuCommand(A::mnuAbout);
  Settle();
  EXPECT_EQ(Window(AppWindow::frmAbout), about);
  EXPECT_EQ(static_cast<TwoButtons&>(about->State()).loads, 2);
  EXPECT_EQ(static_cast<TwoButtons&>(about->State()).unloads, 1);
  about->Close();
  Settle();
}

DWORD WINAPI AnswerWarnings(void* param) {
  auto* answered = static_cast<LONG*>(param);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 4000; Sleep(20)) {
    if (HWND box = FindWindowA("#32770", "Peringatan")) {
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      InterlockedIncrement(answered);
      Sleep(200);
    }
  }
  return 0;
}

TEST_F(Program, ClosingAMessageBoxOrComingBackFromAnotherWindowIsNoActivation) {
  clock_.now = {2012, 1, 2};
  realMessageBoxes_ = true;
  LONG answered = 0;
  HANDLE answerer = CreateThread(nullptr, 0, &AnswerWarnings, &answered, 0, nullptr);
  StartProgram();
  Settle(1500);
  EXPECT_EQ(Warnings(), 1);

  // A window that is not one of the program's, like another program's.
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  SetActiveWindow(other);
  Settle();
  SetActiveWindow(hwnd_);
  Settle(500);
  DestroyWindow(other);
  EXPECT_EQ(Warnings(), 1);

  WaitForSingleObject(answerer, 10000);
  CloseHandle(answerer);
  EXPECT_EQ(answered, 1);
}

TEST_F(Program, KeyboardNavigationWorksInASecondWindowWhileTheScanYields) {
  StartProgram();
  Register(AppWindow::frmUpdate, App::MainWindow::StaysUsable);
  Click(A::cmdUpdate);
  Settle();
  ui::TableWindow* second = Window(AppWindow::frmUpdate);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(IsWindowEnabled(hwnd_)) << "the update reminder leaves the main window usable";

  TempTree tree("navigation");
  for (int i = 0; i < 6; ++i) tree.Write(std::string("f") + std::to_string(i) + ".txt", "x");
  chosen_ = tree.Root();
  HWND focusAfterTab = nullptr;
  yieldPumps_ = [] { return true; };  // the key is handled at the second yield
  afterPump_ = [&] {
    if (pumps_ == 1) {
      SetActiveWindow(second->Handle());
      SetFocus(second->Control(11));
      PostMessageA(second->Control(11), WM_KEYDOWN, VK_TAB, 0);
    } else if (pumps_ == 2) {
      focusAfterTab = GetFocus();
    }
  };
  Click(A::cmdScan);
  EXPECT_EQ(focusAfterTab, second->Control(12));
  EXPECT_EQ(Text(A::lblFileDiperiksa), "6");
  second->Close();
}

// ---- The real program, in a process of its own.

std::string CopyOfTheProgram(TempTree& folder) {
  std::string exe = folder.Root() + "\\TarvexAV.exe";
  CopyFileA(TARVEX_EXE_PATH, exe.c_str(), FALSE);
  return exe;
}

TEST(RealProgram, HiddenDatabaseIsReportedAsMissingAndEndsTheProgram) {
  TempTree folder("hiddendb");
  std::string exe = CopyOfTheProgram(folder);
  folder.Write("Tarvex.db", "Selesai:Selesai\r\n", FILE_ATTRIBUTE_HIDDEN);
  OtherProcess program(exe, "");
  ASSERT_TRUE(program.Started());

  // Today is long after October 2011: the date warning comes first.
  HWND warning = program.WaitForWindow("#32770", "Peringatan", 15000);
  ASSERT_NE(warning, nullptr);
  PostMessageA(warning, WM_COMMAND, IDOK, 0);
  HWND missing = program.WaitForWindow("#32770", "Tarvex Project", 10000);
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(testing::MessageBoxText(missing),
            "Maaf...file database Tarvex.db hilang\r\nFile ''" + folder.Root() + "\\Tarvex.db''");
  PostMessageA(missing, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(program.EndsWithin(5000));
  EXPECT_EQ(program.ExitCode(), 0u);
}

TEST(RealProgram, VisibleDatabaseLetsTheProgramRun) {
  TempTree folder("visibledb");
  std::string exe = CopyOfTheProgram(folder);
  folder.Write("Tarvex.db", "Selesai:Selesai\r\n");
  OtherProcess program(exe, "");
  HWND warning = program.WaitForWindow("#32770", "Peringatan", 15000);
  ASSERT_NE(warning, nullptr);
  PostMessageA(warning, WM_COMMAND, IDOK, 0);
  HWND main = program.WaitForWindow("TarvexAntivirus", nullptr, 5000);
  ASSERT_NE(main, nullptr);
  for (int i = 0; i < 50 && testing::ControlText(GetDlgItem(main, A::status)).empty(); ++i) Sleep(50);
  EXPECT_EQ(testing::ControlText(GetDlgItem(main, A::status)), "Tarvex Antivirus 2011");
  EXPECT_FALSE(program.EndsWithin(300));
}

int Counter(HWND main, int id) {
  std::string text = testing::ControlText(GetDlgItem(main, id));
  return text.empty() ? -1 : std::atoi(text.c_str());
}

TEST(RealProgram, KeluarDuringAScanAsksAndYesEndsItInTheMiddleOfTheScan) {
  TempTree tree("keluaryes");
  for (int i = 0; i < 150; ++i) tree.Write(std::to_string(i) + ".txt", "x");
  TempTree folder("helperfolder");
  folder.Write("Tarvex.db", "Selesai:Selesai\r\n");
  OtherProcess program(TARVEX_PROGRAM_HELPER_PATH, "\"" + tree.Root() + "\" \"" + folder.Root() + "\"");
  HWND warning = program.WaitForWindow("#32770", "Peringatan", 15000);
  ASSERT_NE(warning, nullptr);
  PostMessageA(warning, WM_COMMAND, IDOK, 0);
  HWND main = program.WaitForWindow("TarvexAntivirus", nullptr, 5000);
  ASSERT_NE(main, nullptr);
  auto click = [&](int id) { PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, id))); };

  click(A::cmdScan);
  for (int i = 0; i < 200 && Counter(main, A::lblFileDiperiksa) < 5; ++i) Sleep(25);
  ASSERT_GE(Counter(main, A::lblFileDiperiksa), 5) << "the scanning pass runs";

  click(A::cmdKeluar);
  HWND ask = program.WaitForWindow("#32770", "Anda Yakin?", 5000);
  ASSERT_NE(ask, nullptr);
  EXPECT_EQ(testing::MessageBoxText(ask), "Anda yakin akan keluar saat pemeriksaan file sedang berlangsung?");
  PostMessageA(ask, WM_COMMAND, IDNO, 0);
  const int afterNo = Counter(main, A::lblFileDiperiksa);
  Sleep(400);
  EXPECT_FALSE(program.EndsWithin(0));
  EXPECT_GT(Counter(main, A::lblFileDiperiksa), afterNo) << "No: the scan goes on";

  click(A::cmdKeluar);
  ask = program.WaitForWindow("#32770", "Anda Yakin?", 5000);
  ASSERT_NE(ask, nullptr);
  const int beforeYes = Counter(main, A::lblFileDiperiksa);
  PostMessageA(ask, WM_COMMAND, IDYES, 0);
  EXPECT_TRUE(program.EndsWithin(3000));
  EXPECT_EQ(program.ExitCode(), 0u);
  EXPECT_LT(beforeYes, 150) << "the scan was still running when the program ended";
}

}  // namespace
}  // namespace tarvex
