// The quarantine window's state over files in memory: what the real window's
// test leaves out (no selection, an unknown origin, a No, the log).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/program_files.h"
#include "support/fake_file_system.h"
#include "support/fake_frame.h"
#include "support/fixed_clock.h"
#include "windows/frm_karantina.h"

namespace tarvex {
namespace {

using Karantina = frmKarantina;

TEST(KarantinaState, PulihkanAndHapusActOnTheSelectedRowsOnly) {
  testing::FakeFileSystem files;
  testing::FixedClock clock;
  files.Add(std::string(kQuarantineFolder) + "eicar.com_vir", "virus");
  Quarantine(kQuarantineFolder, files, clock).Record({.original = "C:\\a\\eicar.com", .name = "eicar.com_vir", .size = 5});
  files.Add(std::string(kQuarantineFolder) + "lost.doc_vir", "lost");
  testing::FakeFrame frame;
  std::vector<std::string> logged;
  int answer = sys::kIdNo;
  std::optional<std::string> browsed;
  Karantina window{{files, clock, kQuarantineFolder, [&](const std::string&, unsigned, const std::string&) { return answer; },
            [&] { return browsed; }, [&](const std::string& m) { logged.push_back(m); }}};
  frame.Load(window);
  const std::vector<ui::Row> rows = window.Controls().Rows(Karantina::lvKarantina);
  const std::string& status = window.Controls().Text(Karantina::lblStatus);
  EXPECT_EQ(rows.at(0).at(2) + rows.at(1).at(2), "C:\\a\\(asal tidak diketahui)");
  EXPECT_EQ(status, "2 file di karantina.");

  window.Click(Karantina::cmdPulihkan);
  EXPECT_EQ(status, "Pilih file yang akan dipulihkan.");
  frame.selected = {1};
  window.Click(Karantina::cmdPulihkan);  // the folder browser cancelled
  EXPECT_EQ(status, "0 file dipulihkan.");
  browsed = "C:\\docs";
  window.Click(Karantina::cmdPulihkan);
  EXPECT_EQ(files.files["C:\\docs\\lost.doc"].content, "lost");

  frame.selected = {0};
  window.Click(Karantina::cmdHapus);
  EXPECT_EQ(window.Controls().Rows(Karantina::lvKarantina).size(), 1u) << "No keeps it";
  answer = sys::kIdYes;
  window.Click(Karantina::cmdHapus);
  EXPECT_EQ(status, "1 file dihapus dari karantina.");
  EXPECT_THAT(logged, ::testing::ElementsAre("pulihkan", "pulihkan", "hapus karantina"));
}

}  // namespace
}  // namespace tarvex
