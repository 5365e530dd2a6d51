// The quarantine window in the real program: files quarantined by Karantina,
// listed with their origins, restored and deleted, and what a rescan finds.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/detection_samples.h"
#include "support/layout_check_win32.h"
#include "support/program_win32.h"
#include "support/window_probe_win32.h"
#include "system/files.h"
#include "windows/frm_karantina.h"

namespace tarvex {
namespace {

using ::testing::UnorderedElementsAre;
using A = Antivirus;
using F = frmKarantina;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class KarantinaWindow : public testing::ProgramTest {
 protected:
  void SetUp() override { StartProgram(); }
  void TearDown() override {
    for (const sys::DirEntry& e : sys::ListDirectory("C:\\Karantina\\*", 0x27)) {
      SetFileAttributesA(("C:\\Karantina\\" + e.name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(("C:\\Karantina\\" + e.name).c_str());
    }
    RemoveDirectoryA("C:\\Karantina");
  }
  std::vector<std::string> Scan() {
    chosen_ = tree_.Root();
    Click(A::cmdScan);
    std::vector<std::string> paths;
    for (int i = 0; i < testing::ListRows(Child(A::ListView1)); ++i)
      paths.push_back(testing::ListCell(Child(A::ListView1), i, 2));
    return paths;
  }
  // The row whose original folder is `folder` (below the tree), selected alone.
  void Select(const std::string& folder) {
    HWND list = window_->Control(F::lvKarantina);
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
    for (int i = 0; i < testing::ListRows(list); ++i) {
      if (testing::ListCell(list, i, 2) != tree_.Root() + "\\" + folder + "\\") continue;
      state.state = LVIS_SELECTED;
      SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
      return;
    }
    ADD_FAILURE() << "no row from " << folder;
  }
  void Press(int id) {
    SendMessageA(window_->Control(id), BM_CLICK, 0, 0);
    Settle(20);
  }
  std::string Status() { return testing::WindowText(window_->Control(F::lblStatus)); }

  testing::TempTree tree_{"karantina"};
  ui::TableWindow* window_ = nullptr;
};

TEST_F(KarantinaWindow, QuarantinedFilesComeBackWithoutOverwritingAndARestoredHeuristicFindStaysTrusted) {
  const std::string eicar = testing::kEicar, worm = "MZ" + std::string(300, 'w');
  programFolder_.Write("Tarvex.db", testing::ChecksumOf(eicar) + ":EICAR-Test-File\r\nSelesai:Selesai\r\n");
  const std::string a = tree_.Write("a\\eicar.com", eicar), b = tree_.Write("b\\eicar.com", eicar, FILE_ATTRIBUTE_HIDDEN);
  const std::string d = tree_.Write("d\\eicar.com", eicar), c = tree_.Write("c\\foto.jpg.exe", worm);
  ASSERT_EQ(Scan().size(), 4u);
  Click(A::cmdKarantina);

  State().Click(A::mnuKarantina);
  Settle();
  window_ = app_->Find(AppWindow::frmKarantina);
  ASSERT_TRUE(window_ && window_->IsLoaded());
  testing::ExpectWindowMatchesItsTable(*window_);
  EXPECT_FALSE(IsWindowEnabled(hwnd_)) << "the main window waits";
  HWND list = window_->Control(F::lvKarantina);
  std::vector<std::string> origins;
  for (int i = 0; i < testing::ListRows(list); ++i) origins.push_back(testing::ListCell(list, i, 2));
  EXPECT_THAT(origins, UnorderedElementsAre(tree_.Root() + "\\a\\", tree_.Root() + "\\b\\", tree_.Root() + "\\c\\",
                                            tree_.Root() + "\\d\\"));

  Select("a");
  Press(F::cmdPulihkan);
  EXPECT_EQ(ReadBytes(a), eicar);
  EXPECT_EQ(Status(), "1 file dipulihkan.");
  tree_.Write("b\\eicar.com", "the user's new file");
  Select("b");
  Press(F::cmdPulihkan);
  EXPECT_EQ(ReadBytes(b), "the user's new file");
  EXPECT_EQ(ReadBytes(tree_.Root() + "\\b\\eicar (2).com"), eicar);
  EXPECT_TRUE(GetFileAttributesA((tree_.Root() + "\\b\\eicar (2).com").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  Select("c");
  Press(F::cmdPulihkan);
  EXPECT_EQ(ReadBytes(c), worm);

  yesNoAnswer_ = sys::kIdYes;
  Select("d");
  Press(F::cmdHapus);
  EXPECT_EQ(messages_.back().text, "Hapus 1 file dari karantina untuk selamanya?");
  EXPECT_EQ(testing::ListRows(list), 0);
  EXPECT_EQ(GetFileAttributesA(d.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(sys::ListDirectory("C:\\Karantina\\*.com_vir*", 0x27).size(), 0u);

  Press(F::cmdTutup);
  Settle();
  EXPECT_THAT(Scan(), UnorderedElementsAre(a, tree_.Root() + "\\b\\eicar (2).com")) << "not the restored worm";
}

}  // namespace
}  // namespace tarvex
