// Scans nobody started with the Scan button, in real windows: the program
// started with a folder, a missing one, a second start that hands its folder
// over, and a flash disk the system announces to the guarding window.
#include "app/app_win32.h"

#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include "support/other_process_win32.h"
#include "support/program_win32.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"

namespace tarvex {
namespace {

using A = Antivirus;
using testing::ControlText;
using testing::OtherProcess;
using testing::TempTree;

const char kEicar[] = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
const char kOneFound[] = "Pemeriksaan selesai, 1 virus ditemukan.";

std::string ShippedDatabase() {
  std::string path = TARVEX_EXE_PATH;
  return path.substr(0, path.rfind('\\')) + "\\Tarvex.db";
}

// The program in a folder of its own with the shipped database.
class StartedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    exe_ = folder_.Root() + "\\TarvexAV.exe";
    ASSERT_TRUE(CopyFileA(TARVEX_EXE_PATH, exe_.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(ShippedDatabase().c_str(), (folder_.Root() + "\\Tarvex.db").c_str(), FALSE));
    infected_.Write("eicar.com", kEicar);
  }
  // Starts it, answers the date warning and gives its main window.
  HWND Start(OtherProcess& program) {
    HWND warning = program.WaitForWindow("#32770", "Peringatan", 15000);
    if (!warning) return nullptr;
    PostMessageA(warning, WM_COMMAND, IDOK, 0);
    return program.WaitForWindow("TarvexAntivirus", nullptr, 5000);
  }
  static std::string StatusWhenSettled(HWND main, const std::string& awaited) {
    std::string status;
    for (int i = 0; i < 300 && (status = ControlText(GetDlgItem(main, A::status))) != awaited; ++i) Sleep(50);
    return status;
  }
  static int Rows(HWND main) { return testing::ListRows(GetDlgItem(main, A::ListView1)); }

  TempTree folder_{"program"};
  TempTree infected_{"infected"};
  std::string exe_;
};

TEST_F(StartedProgram, WithAFolderScansItAfterTheDateWarning) {
  // Quoted with its trailing backslash, as a shortcut may pass it.
  OtherProcess program(exe_, "\"" + infected_.Root() + "\\\"");
  HWND main = Start(program);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(StatusWhenSettled(main, kOneFound), kOneFound);
  EXPECT_EQ(Rows(main), 1);
}

TEST_F(StartedProgram, WithAMissingFolderStaysIdleAndSaysSo) {
  const std::string missing = infected_.Root() + "\\tidak ada";
  OtherProcess program(exe_, "\"" + missing + "\"");
  HWND main = Start(program);
  ASSERT_NE(main, nullptr);
  const std::string said = "Lokasi tidak ditemukan: " + missing;
  EXPECT_EQ(StatusWhenSettled(main, said), said);
  EXPECT_EQ(ControlText(GetDlgItem(main, A::cmdScan)), "Scan");
  EXPECT_EQ(Rows(main), 0);
}

TEST_F(StartedProgram, AgainWithAFolderHandsItToTheRunningWindowAndEnds) {
  OtherProcess first(exe_, "");
  HWND main = Start(first);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(StatusWhenSettled(main, "Tarvex Antivirus 2011"), "Tarvex Antivirus 2011");

  OtherProcess second(exe_, infected_.Root());
  ASSERT_TRUE(second.EndsWithin(10000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_EQ(StatusWhenSettled(main, kOneFound), kOneFound);
  EXPECT_EQ(Rows(main), 1);
}

// The guard in the program's own process, over the test prefix's drive R:,
// which wine reports as removable (scripts/wine.sh).
class FlashDiskGuard : public testing::ProgramTest {
 protected:
  void TearDown() override { DeleteFileA("R:\\eicar.com"); }
  void Announce(std::uint32_t mask) {
    DEV_BROADCAST_VOLUME volume = {sizeof volume, DBT_DEVTYP_VOLUME, 0, mask, 0};
    SendMessageA(hwnd_, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume));
  }
};

TEST_F(FlashDiskGuard, ArrivalOfARemovableDriveScansItsRoot) {
  ASSERT_EQ(GetDriveTypeA("R:\\"), static_cast<UINT>(DRIVE_REMOVABLE)) << "the test prefix lacks its flash disk";
  StartProgram();
  ASSERT_TRUE(CopyFileA(ShippedDatabase().c_str(), (programFolder_.Root() + "\\Tarvex.db").c_str(), FALSE));
  HANDLE file = CreateFileA("R:\\eicar.com", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, kEicar, sizeof kEicar - 1, &written, nullptr);
  CloseHandle(file);

  Announce(1u << ('R' - 'A'));
  Settle();
  EXPECT_EQ(State().ScanRoot(), "") << "no guard without /jaga";

  app_->Accept({true, {}});
  Settle();
  EXPECT_EQ(Text(A::status), "Penjaga flash disk aktif.");
  Announce(1u << ('R' - 'A') | 1u << ('C' - 'A'));  // C: is fixed
  for (int i = 0; i < 200 && Text(A::status) != kOneFound; ++i) Settle(50);
  EXPECT_EQ(Text(A::status), kOneFound);
  EXPECT_EQ(State().ScanRoot(), "R:\\");
  ASSERT_EQ(State().Rows().size(), 1u);
  EXPECT_EQ(State().Rows()[0].path, "R:\\eicar.com");
}

}  // namespace
}  // namespace tarvex
