// The quarantine window in the real program: files quarantined by Karantina,
// listed with their origins, restored and deleted, and what a rescan finds.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "support/detection_samples.h"
#include "support/host_shell_win32.h"
#include "support/layout_check_win32.h"
#include "support/program_win32.h"
#include "support/window_probe_win32.h"
#include "system/file_system.h"
#include "system/files.h"
#include "windows/frm_karantina.h"

namespace tarvex {
namespace {

using ::testing::UnorderedElementsAre;
using A = Antivirus;
using F = frmKarantina;

std::string ReadBytes(const std::string& path) { return sys::SystemFileSystem().ReadText(path, 1 << 20).text; }

class KarantinaWindow : public testing::ProgramTest {
 protected:
  void SetUp() override { StartProgram(); }
  void TearDown() override {
    for (const sys::DirEntry& e : sys::ListDirectory("C:\\Karantina\\*", 0)) DeleteFileA(("C:\\Karantina\\" + e.name).c_str());
    RemoveDirectoryA("C:\\Karantina");
  }
  std::vector<std::string> Scan() {
    chosen_ = tree_.Root();
    Click(A::cmdScan);
    return testing::ListColumn(Child(A::ListView1), 2);
  }
  // Selects alone the row whose original folder is `folder` (below the tree), and presses the button.
  void Press(int id, const std::string& folder = "") {
    HWND list = window_->Control(F::lvKarantina);
    const std::vector<std::string> origins = testing::ListColumn(list, 2);
    const auto row = std::find(origins.begin(), origins.end(), tree_.Path(folder + "\\"));
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    if (row != origins.end()) ListView_SetItemState(list, static_cast<int>(row - origins.begin()), LVIS_SELECTED, LVIS_SELECTED);
    SendMessageA(window_->Control(id), BM_CLICK, 0, 0);
    Settle(20);
  }

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
  HWND list = window_->Control(F::lvKarantina);
  EXPECT_THAT(testing::ListColumn(list, 2), UnorderedElementsAre(tree_.Path("a\\"), tree_.Path("b\\"), tree_.Path("c\\"), tree_.Path("d\\")));

  Press(F::cmdPulihkan, "a");
  EXPECT_EQ(ReadBytes(a), eicar);
  tree_.Write("b\\eicar.com", "the user's new file");
  Press(F::cmdPulihkan, "b");
  const std::string copy = tree_.Path("b\\eicar (2).com");
  EXPECT_EQ(ReadBytes(b) + ReadBytes(copy), "the user's new file" + eicar);
  EXPECT_TRUE(GetFileAttributesA(copy.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  Press(F::cmdPulihkan, "c");
  EXPECT_EQ(ReadBytes(c), worm);

  yesNoAnswer_ = sys::kIdYes;
  Press(F::cmdHapus, "d");
  EXPECT_EQ(messages_.back().text, "Hapus 1 file dari karantina untuk selamanya?");
  EXPECT_EQ(testing::ListRows(list), 0);
  EXPECT_EQ(GetFileAttributesA(d.c_str()), INVALID_FILE_ATTRIBUTES);

  Press(F::cmdTutup);
  EXPECT_THAT(Scan(), UnorderedElementsAre(a, copy)) << "not the restored worm";
}

// A manifest that leads to /dev/zero is no ordinary file: it is not read, so
// the list shows the folder's file at once, of unknown origin, and a scan
// trusts nothing and lists the worm.
TEST_F(KarantinaWindow, AManifestLeadingToDevZeroIsNeverRead) {
  CreateDirectoryA("C:\\Karantina", nullptr);
  std::ofstream("C:\\Karantina\\stray.exe_vir") << "stray";
  const std::string manifest = testing::HostPath("C:\\Karantina\\karantina.txt");
  struct Unlink {  // wine's DeleteFile would go where the link leads
    std::string manifest;
    ~Unlink() { testing::HostShell("rm -f '" + manifest + "'"); }
  } unlink{manifest};
  ASSERT_EQ(testing::HostShell("ln -s /dev/zero '" + manifest + "'"), 0);
  State().Click(A::mnuKarantina);
  Settle();
  window_ = app_->Find(AppWindow::frmKarantina);
  ASSERT_TRUE(window_ && window_->IsLoaded());
  EXPECT_EQ(testing::ListRows(window_->Control(F::lvKarantina)), 1);
  EXPECT_EQ(testing::WindowText(window_->Control(F::lblStatus)), "1 file di karantina. Daftar karantina.txt tidak terbaca.");
  Press(F::cmdTutup);
  tree_.Write("foto.jpg.exe", "MZ" + std::string(300, 'w'));
  EXPECT_EQ(Scan(), std::vector<std::string>{tree_.Path("foto.jpg.exe")});
}

}  // namespace
}  // namespace tarvex
