// The quarantine window's state over files in memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/program_files.h"
#include "remedy/remedy.h"
#include "support/fake_file_system.h"
#include "support/fake_frame.h"
#include "support/fixed_clock.h"
#include "windows/frm_karantina.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using F = frmKarantina;

class KarantinaDesk : public ::testing::Test {
 protected:
  KarantinaDesk() {
    files.MakeFolder(kQuarantineFolder);
    Remedy remedy({files, clock, [](const std::string&) {}});
    Quarantine quarantine(kQuarantineFolder, files, clock);
    for (const char* path : {"C:\\a\\eicar.com", "C:\\b\\eicar.com", "C:\\c\\foto.jpg.exe"}) {
      files.Add(path, std::string("content of ") + path);
      remedy.Apply(remedy.Identify({path, "Virus", 1, ""}), RemedyAction::Quarantine, quarantine);
    }
    files.Add(std::string(kQuarantineFolder) + "lost.doc_vir", "lost");
    frame.Load(window);
  }
  std::vector<std::string> Column(std::size_t column) const {
    std::vector<std::string> out;
    for (const ui::Row& r : window.Controls().Rows(F::lvKarantina)) out.push_back(r.at(column));
    return out;
  }
  const std::string& Status() const { return window.Controls().Text(F::lblStatus); }

  testing::FakeFileSystem files;
  testing::FixedClock clock;
  testing::FakeFrame frame;
  std::vector<std::string> asked, logged;
  int answer = sys::kIdYes;
  std::optional<std::string> browsed;
  F window{{files, clock, kQuarantineFolder,
            [this](const std::string& text, unsigned, const std::string&) {
              asked.push_back(text);
              return answer;
            },
            [this] { return browsed; }, [this](const std::string& m) { logged.push_back(m); }}};
};

TEST_F(KarantinaDesk, ListsEveryFileWithItsOrigin) {
  EXPECT_THAT(Column(0), ElementsAre("eicar.com", "eicar.com", "foto.jpg.exe", "lost.doc_vir"));
  EXPECT_THAT(Column(2), ElementsAre("C:\\a\\", "C:\\b\\", "C:\\c\\", "(asal tidak diketahui)"));
  EXPECT_EQ(Column(3).front(), "2026-12-06 22:05:33");
  EXPECT_EQ(Status(), "4 file di karantina.");
}

TEST_F(KarantinaDesk, PulihkanAndHapusActOnTheSelectedRowsOnly) {
  window.Click(F::cmdPulihkan);
  EXPECT_EQ(Status(), "Pilih file yang akan dipulihkan.");
  frame.selected = {1, 3};
  window.Click(F::cmdPulihkan);  // the unknown origin's folder browser is cancelled
  EXPECT_EQ(files.files["C:\\b\\eicar.com"].content, "content of C:\\b\\eicar.com");
  EXPECT_THAT(Column(2), ElementsAre("C:\\a\\", "C:\\c\\", "(asal tidak diketahui)"));
  EXPECT_EQ(Status(), "1 file dipulihkan.");

  browsed = "C:\\docs";
  frame.selected = {2};
  window.Click(F::cmdPulihkan);
  EXPECT_EQ(files.files["C:\\docs\\lost.doc"].content, "lost");

  frame.selected = {0};
  answer = sys::kIdNo;
  window.Click(F::cmdHapus);
  EXPECT_EQ(Column(0).size(), 2u) << "No keeps it";
  answer = sys::kIdYes;
  window.Click(F::cmdHapus);
  EXPECT_THAT(Column(2), ElementsAre("C:\\c\\"));
  EXPECT_EQ(Status(), "1 file dihapus dari karantina.");
  EXPECT_THAT(asked, ElementsAre("Hapus 1 file dari karantina untuk selamanya?",
                                 "Hapus 1 file dari karantina untuk selamanya?"));
  EXPECT_THAT(logged, ElementsAre("pulihkan", "pulihkan", "hapus karantina"));
  EXPECT_FALSE(files.files.count("C:\\a\\eicar.com"));
}

}  // namespace
}  // namespace tarvex
