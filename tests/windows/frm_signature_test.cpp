#include "windows/frm_signature.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "signatures/temp_files.h"

namespace tarvex {
namespace {

const std::vector<std::string> kBuiltIn = {"w32.service.exe",    "w32.Burmecia",    "w32.KSpoold",
                                           "w32.TunggulKawung.C", "w32.Service.exe", "w32.spooler"};

std::string Signatures(int count) {
  std::string db;
  for (int i = 1; i <= count; ++i) db += std::to_string(1000 + i) + "AB:w32.Sig" + std::to_string(i) + "\r\n";
  return db;
}

class SignatureTest : public ::testing::Test {
 protected:
  // The window's lines after loading with this database.
  std::vector<std::string> Load(const std::string& db) {
    std::string path = dir_.Write("Tarvex.db", db);
    frmSignature window({.databasePath = [path] { return path; }});
    window.Form_Load();
    count_ = window.Controls().Text(frmSignature::lblJumlahVirus);
    return window.Controls().Items(frmSignature::List1);
  }
  testing::TempFolder dir_;
  std::string count_;
};

TEST_F(SignatureTest, DatabaseNamesThenTheBuiltInOnesInOneNumbering) {
  struct Case {
    int signatures;
    std::size_t lines;
  };
  for (Case c : {Case{0, 6}, Case{2, 8}, Case{2500, 2006}}) {
    std::vector<std::string> lines = Load(Signatures(c.signatures) + "Selesai:Selesai\r\n");
    ASSERT_EQ(lines.size(), c.lines) << c.signatures;
    EXPECT_EQ(count_, "Jumlah Signature : " + std::to_string(c.lines));
    std::size_t fromDb = c.lines - kBuiltIn.size();
    if (fromDb > 0) {
      EXPECT_EQ(lines.front(), "1. w32.Sig1");
      EXPECT_EQ(lines[fromDb - 1], std::to_string(fromDb) + ". w32.Sig" + std::to_string(fromDb));
    }
    for (std::size_t i = 0; i < kBuiltIn.size(); ++i)
      EXPECT_EQ(lines[fromDb + i], std::to_string(fromDb + i + 1) + ". " + kBuiltIn[i]);
  }
}

TEST_F(SignatureTest, SelesaiEndsTheDatabasePartAndNamesKeepTheirColons) {
  std::vector<std::string> lines =
      Load("ABC:w32.Name:extra\r\nJustAName\r\nDEF:Selesai\r\n123:w32.After\r\nSelesai:Selesai\r\n");
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "1. w32.Name:extra");
  EXPECT_EQ(lines[1], "2. JustAName");
  EXPECT_EQ(lines[2], "3. w32.service.exe");
  EXPECT_EQ(count_, "Jumlah Signature : 8");
}

TEST_F(SignatureTest, AMissingDatabaseListsTheBuiltInNames) {
  frmSignature window({.databasePath = [this] { return dir_.Path("none.db"); }});
  window.Form_Load();
  EXPECT_EQ(window.Controls().Items(frmSignature::List1).size(), 6u);
  EXPECT_EQ(window.Controls().Text(frmSignature::lblJumlahVirus), "Jumlah Signature : 6");
}

}  // namespace
}  // namespace tarvex
