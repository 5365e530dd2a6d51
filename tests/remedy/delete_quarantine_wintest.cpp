// Hapus and Karantina clicked in the real main window, on real files, with the
// real process guard and activity log. C:\Karantina is the test prefix's own.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/antivirus_ids.h"
#include "app/antivirus_window_win32.h"
#include "support/running_program_win32.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"
#include "system/files.h"
#include "system/processes.h"
#include "system/program_folder.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using ::testing::MatchesRegex;
using testing::TempTree;

constexpr const char* kMoved = " virus telah dipindahkan ke folder 'C:\\Karantina\\' ...";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class RemedyOnWine : public ::testing::Test {
 protected:
  void SetUp() override {
    sys::OverrideProgramFolder(program_.Root());
    window_ = std::make_unique<AntivirusWindow>(AntivirusServices{.endProgram = [] {}});
    ASSERT_TRUE(window_->Create(SW_SHOWNORMAL));
    hwnd_ = window_->Handle();
  }
  void TearDown() override {
    sys::OverrideProgramFolder("");
    for (const sys::DirEntry& e : sys::ListDirectory("C:\\Karantina\\" + tag_ + "*", 0x27)) {
      SetFileAttributesA(("C:\\Karantina\\" + e.name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(("C:\\Karantina\\" + e.name).c_str());
    }
    RemoveDirectoryA("C:\\Karantina");
  }

  // A file name no other run leaves in quarantine.
  std::string Name(const std::string& name) const { return tag_ + name; }

  // The result list as a scan leaves it.
  void List(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) window_->State().AppendRow({"", "Test.Virus", path, "1", ""});
    window_->State().SetText(Ctl::lblJumlahVirus, std::to_string(paths.size()));
  }
  void Click(int id) { SendMessageA(GetDlgItem(hwnd_, id), BM_CLICK, 0, 0); }
  std::vector<std::string> ListedPaths() {
    HWND list = GetDlgItem(hwnd_, ids::ListView1);
    std::vector<std::string> paths;
    for (int i = 0; i < testing::ListRows(list); ++i) paths.push_back(testing::ListCell(list, i, 2));
    return paths;
  }
  std::string Text(int id) { return testing::ChildText(hwnd_, id); }

  const std::string tag_ = "t" + std::to_string(GetCurrentProcessId()) + "_";
  TempTree program_{"program"};
  TempTree tree_{"infected"};
  std::unique_ptr<AntivirusWindow> window_;
  HWND hwnd_ = nullptr;
};

TEST_F(RemedyOnWine, ReadOnlyAndHiddenFilesAreDeleted) {
  List({tree_.Write("ro.exe", "virus", FILE_ATTRIBUTE_READONLY), tree_.Write("hidden.exe", "virus", FILE_ATTRIBUTE_HIDDEN),
        tree_.Write("all.exe", "virus", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)});
  Click(ids::cmdHapus);
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Text(ids::status), "3 virus telah dihapus...");
  for (const char* name : {"ro.exe", "hidden.exe", "all.exe"}) EXPECT_FALSE(Exists(tree_.Root() + "\\" + name));
}

// Same-named files from two folders, one read-only and one hidden, all bytes.
TEST_F(RemedyOnWine, QuarantinedFilesKeepEveryByteAndNeverOverwriteEachOther) {
  std::string bytes;
  for (int i = 0; i < 1024; ++i) bytes += static_cast<char>(i * 7);
  List({tree_.Write("a\\" + Name("setup.exe"), bytes + "a", FILE_ATTRIBUTE_READONLY),
        tree_.Write("b\\" + Name("setup.exe"), bytes + "b", FILE_ATTRIBUTE_HIDDEN)});
  Click(ids::cmdKarantina);
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Text(ids::status), std::string("2") + kMoved);
  // The last row is handled first.
  EXPECT_EQ(ReadBytes("C:\\Karantina\\" + Name("setup.exe_vir")), bytes + "b");
  EXPECT_EQ(ReadBytes("C:\\Karantina\\" + Name("setup.exe_vir2")), bytes + "a");
  EXPECT_FALSE(Exists(tree_.Root() + "\\a\\" + Name("setup.exe")));
}

TEST_F(RemedyOnWine, FileHeldOpenWithoutDeleteSharingStaysListedAndUncounted) {
  for (int button : {ids::cmdHapus, ids::cmdKarantina}) {
    std::string held = tree_.Write(Name("held.exe"), "virus"), free = tree_.Write(Name("free.exe"), "virus");
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    List({held, free});
    Click(button);
    CloseHandle(h);

    EXPECT_THAT(ListedPaths(), ElementsAre(held));
    EXPECT_EQ(Text(ids::lblJumlahVirus), "1");
    EXPECT_EQ(Text(ids::status), button == ids::cmdHapus ? "1 virus telah dihapus..." : std::string("1") + kMoved);
    EXPECT_EQ(ReadBytes(held), "virus");
    EXPECT_FALSE(Exists("C:\\Karantina\\" + Name("held.exe_vir")));
    window_->State().ClearRows();
  }
}

TEST_F(RemedyOnWine, RunningInfectedProgramIsEndedThenDeleted) {
  std::string path = tree_.Write(Name("sleeper.exe"), ReadBytes(TARVEX_SLEEPER_PATH));
  testing::RunningProgram program(path);
  ASSERT_TRUE(program.Started());
  // A new process shows its executable only after a moment.
  for (int i = 0; i < 100 && sys::SystemProcesses().ExecutablePath(program.Pid()) != path; ++i) Sleep(50);
  ASSERT_EQ(sys::SystemProcesses().ExecutablePath(program.Pid()), path);

  List({path});
  Click(ids::cmdHapus);
  EXPECT_TRUE(program.EndsWithin(0));
  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Text(ids::status), "1 virus telah dihapus...");
}

TEST_F(RemedyOnWine, EmptyResultWritesTheLogLineAndMakesNoFolder) {
  ASSERT_FALSE(Exists("C:\\Karantina")) << "left over from an earlier run";
  Click(ids::cmdHapus);
  EXPECT_EQ(Text(ids::status), "Tak ada virus yang dihapus...");
  Click(ids::cmdKarantina);
  EXPECT_EQ(Text(ids::status), "Tak ada virus yang dikarantina...");
  EXPECT_FALSE(Exists("C:\\Karantina"));

  std::vector<sys::DirEntry> logs = sys::ListDirectory(program_.Root() + "\\Logs\\*.txt", 0);
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_THAT(ReadBytes(program_.Root() + "\\Logs\\" + logs[0].name),
              MatchesRegex("\\[.+\\] hapus virus\r\n\\[.+\\] karantina\r\n"));
}

TEST_F(RemedyOnWine, UnwritableLogFolderLosesTheEntryAndTheActionStillRuns) {
  std::string inTheWay = program_.Write("Logs", "a file where the folder should be");
  std::string path = tree_.Write(Name("virus.exe"), "virus");
  List({path});
  Click(ids::cmdHapus);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(Text(ids::status), "1 virus telah dihapus...");
  EXPECT_EQ(ReadBytes(inTheWay), "a file where the folder should be");
}

}  // namespace
}  // namespace tarvex
