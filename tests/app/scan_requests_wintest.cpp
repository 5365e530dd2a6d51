// Scans nobody started with the Scan button, in real windows: a start with a folder, with a
// missing one, a second start handing its folder over, a flash disk announced to the guard.
#include "app/app_win32.h"

#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <fstream>

#include "app/instance_handover_win32.h"
#include "support/other_process_win32.h"
#include "support/program_win32.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"

namespace tarvex {
namespace {

using A = Antivirus;
using testing::ControlText;
using testing::OtherProcess;

const char kEicar[] = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
const char kOneFound[] = "Pemeriksaan selesai, 1 virus ditemukan.";

bool CopyShippedDatabase(const std::string& folder) {
  std::string exe = TARVEX_EXE_PATH;
  return CopyFileA((exe.substr(0, exe.rfind('\\')) + "\\Tarvex.db").c_str(), (folder + "\\Tarvex.db").c_str(), FALSE);
}

// The program in a folder of its own with the shipped database.
class StartedProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFileA(TARVEX_EXE_PATH, exe_.c_str(), FALSE));
    ASSERT_TRUE(CopyShippedDatabase(folder_.Root()));
    infected_.Write("eicar.com", kEicar);
  }
  // Answers the date warning and gives the main window.
  static HWND MainWindow(OtherProcess& program) {
    HWND warning = program.WaitForWindow("#32770", "Peringatan", 15000);
    if (warning) PostMessageA(warning, WM_COMMAND, IDOK, 0);
    return warning ? program.WaitForWindow("TarvexAntivirus", nullptr, 5000) : nullptr;
  }
  static std::string StatusOnceItIs(HWND main, const std::string& awaited) {
    std::string status;
    for (int i = 0; i < 300 && (status = ControlText(GetDlgItem(main, A::status))) != awaited; ++i) Sleep(50);
    return status;
  }

  testing::TempTree folder_{"program"}, infected_{"infected"};
  std::string exe_ = folder_.Root() + "\\TarvexAV.exe";
};

TEST_F(StartedProgram, WithAFolderScansItAfterTheDateWarning) {
  OtherProcess program(exe_, "\"" + infected_.Root() + "\\\"");  // quoted, with its trailing backslash
  HWND main = MainWindow(program);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(StatusOnceItIs(main, kOneFound), kOneFound);
  EXPECT_EQ(testing::ListRows(GetDlgItem(main, A::ListView1)), 1);
}

TEST_F(StartedProgram, WithAMissingFolderStaysIdleAndSaysSo) {
  const std::string missing = infected_.Root() + "\\tidak ada";
  OtherProcess program(exe_, "\"" + missing + "\"");
  HWND main = MainWindow(program);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(StatusOnceItIs(main, "Lokasi tidak ditemukan: " + missing), "Lokasi tidak ditemukan: " + missing);
  EXPECT_EQ(ControlText(GetDlgItem(main, A::cmdScan)), "Scan");
}

TEST_F(StartedProgram, AgainWithAFolderHandsItToTheRunningWindowAndEnds) {
  OtherProcess first(exe_, "");
  HWND main = MainWindow(first);
  ASSERT_NE(main, nullptr);
  ASSERT_EQ(StatusOnceItIs(main, "Tarvex Antivirus 2011"), "Tarvex Antivirus 2011");
  // Before it, hostile ones: cut short at the NUL it names a folder its own subfolder;
  // 8 MB cannot be brought across. Each is turned down and the program runs on.
  const std::string cut = EncodeStartRequest({false, {infected_.Root() + std::string(1, '\0') + "x"}});
  const std::string huge(8u << 20, 'x');
  for (const std::string* payload : {&cut, &huge}) {
    COPYDATASTRUCT data = {kHandOverTag, static_cast<DWORD>(payload->size()), const_cast<char*>(payload->data())};
    DWORD_PTR accepted = TRUE;
    SendMessageTimeoutW(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000, &accepted);
    EXPECT_FALSE(accepted) << payload->size();
    EXPECT_FALSE(first.EndsWithin(1000)) << payload->size() << " bytes ended the program";
  }
  OtherProcess second(exe_, infected_.Root());
  ASSERT_TRUE(second.EndsWithin(10000));
  EXPECT_EQ(second.ExitCode(), 0u);
  EXPECT_EQ(StatusOnceItIs(main, kOneFound), kOneFound);
}

// In the program's own process, over the prefix's drive R:, removable for wine (scripts/wine.sh).
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
  ASSERT_TRUE(CopyShippedDatabase(programFolder_.Root()));
  ASSERT_TRUE(std::ofstream("R:\\eicar.com", std::ios::binary) << kEicar);
  app_->Accept({true, {}});
  Settle();
  EXPECT_EQ(Text(A::status), "Penjaga flash disk aktif.");
  Announce(1u << ('R' - 'A') | 1u << ('C' - 'A'));  // C: is fixed
  for (int i = 0; i < 200 && Text(A::status) != kOneFound; ++i) Settle(50);
  EXPECT_EQ(Text(A::status), kOneFound);
  EXPECT_EQ(State().ScanRoot(), "R:\\");
  EXPECT_EQ(State().Rows().at(0).path, "R:\\eicar.com");
}

}  // namespace
}  // namespace tarvex
