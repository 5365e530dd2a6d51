#include "windows/frm_temp_db.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

#include "scan/file_detection.h"

namespace tarvex {
namespace {

TEST(SizeText, KilobytesWithAtMostTwoDecimalsHalvesToEven) {
  struct Case {
    std::int64_t bytes;
    const char* separator;
    const char* text;
  };
  const Case cases[] = {
      {0, ".", "0 Kb."},        {1024, ".", "1 Kb."},      {1536, ".", "1.5 Kb."},   {1536, ",", "1,5 Kb."},
      {1034, ".", "1.01 Kb."},  {128, ".", "0.12 Kb."},    {384, ".", "0.38 Kb."},   {5, ".", "0 Kb."},
      {768000, ".", "750 Kb."}, {768001, ".", "750 Kb."},  {1048575, ",", "1024 Kb."},
  };
  for (const Case& c : cases) EXPECT_EQ(SizeText(c.bytes, c.separator), c.text) << c.bytes;
}

// A file the fakes know: its facts, or no value where reading it fails.
struct FakeFile {
  std::string checksum = "CBF43926";
  std::optional<std::string> packer = "Tiada";
  std::optional<std::string> compiler = "Tak Diketahui";
  std::optional<std::int64_t> length = 1536;
};

class TempDbTest : public ::testing::Test {
 protected:
  TempDbTest()
      : window_({
            .getOpenFileName =
                [this](OpenFileRequest& r) {
                  requests_.push_back(r);
                  if (!chosen_) return false;
                  r.Filename = *chosen_;
                  return true;
                },
            .checksumText = [this](const std::string& p) { return files_.at(p).checksum; },
            .packer = [this](const std::string& p) { return files_.at(p).packer; },
            .compiler = [this](const std::string& p) { return files_.at(p).compiler; },
            .fileLength = [this](const std::string& p) { return files_.at(p).length; },
            .decimalSeparator = [this] { return separator_; },
            .markChecksum = [this](const std::string& checksum) { mark_ = checksum; },
        }) {}

  void Browse(const std::string& path, FakeFile file = {}) {
    files_[path] = file;
    chosen_ = path;
    window_.cmdBrowse_Click();
  }
  std::string Text(int id) const { return window_.Controls().Text(id); }
  bool CheckEnabled() const { return window_.Controls().Enabled(frmTempDb::Check1); }
  void Tick(bool on) { window_.Controls().SetChecked(frmTempDb::Check1, on); }

  std::map<std::string, FakeFile> files_;
  std::optional<std::string> chosen_;
  std::vector<OpenFileRequest> requests_;
  std::string separator_ = ".";
  std::string mark_;
  frmTempDb window_;
};

TEST(TempDb, RefusesMissingServices) {
  EXPECT_THROW(frmTempDb({}), std::invalid_argument);
}

TEST_F(TempDbTest, BrowseAsksForAnExistingFileOfAnyKindAndShowsItsFacts) {
  Browse("C:\\Tools\\setup.exe", {.checksum = "1A2B3C", .packer = "UPX", .compiler = "MS Visual C++", .length = 1536});
  ASSERT_EQ(requests_.size(), 1u);
  const OpenFileRequest& r = requests_[0];
  EXPECT_EQ(r.Filter, "All (*.*)| *.*");
  EXPECT_EQ(r.FilterIndex, 1);
  EXPECT_TRUE(r.FileMustExist);
  EXPECT_FALSE(r.MultiSelect || r.ReadOnly || r.HideReadOnly);
  EXPECT_EQ(r.Filename + r.FileTitle + r.InitDir + r.DlgTitle + r.DefaultExt, "");
  EXPECT_EQ(r.flags, 0);

  EXPECT_EQ(Text(frmTempDb::txtFileName), "C:\\Tools\\setup.exe");
  EXPECT_EQ(Text(frmTempDb::lblChecksum), "1A2B3C");
  EXPECT_EQ(Text(frmTempDb::lblPacker), "UPX");
  EXPECT_EQ(Text(frmTempDb::lblCompiler), "MS Visual C++");
  EXPECT_EQ(Text(frmTempDb::lblUkuran), "1.5 Kb.");
  EXPECT_EQ(Text(frmTempDb::lblType), "Application");
  EXPECT_TRUE(CheckEnabled());
}

TEST_F(TempDbTest, CheckBoxIsEnabledForFilesTheCrcCheckSeesWithARealChecksum) {
  struct Case {
    std::int64_t length;
    const char* checksum;
    bool enabled;
  };
  const Case cases[] = {
      {kNoCrcBytes - 1, "ABC", true}, {kNoCrcBytes, "ABC", false}, {0, "0", false}, {10, "", false}, {10, "0", false},
  };
  for (const Case& c : cases) {
    Browse("C:\\f.bin", {.checksum = c.checksum, .length = c.length});
    EXPECT_EQ(CheckEnabled(), c.enabled) << c.length << " " << c.checksum;
  }
}

TEST_F(TempDbTest, AFailingStepEndsTheAnalysisAndEarlierTextsStay) {
  Browse("C:\\a.txt", {.checksum = "AAA", .packer = "MEW", .compiler = "Borland Delphi 7", .length = 2048});
  Browse("C:\\locked.exe", {.checksum = "0", .packer = std::nullopt});
  EXPECT_EQ(Text(frmTempDb::txtFileName), "C:\\locked.exe");
  EXPECT_EQ(Text(frmTempDb::lblChecksum), "0");
  EXPECT_EQ(Text(frmTempDb::lblPacker), "MEW");
  EXPECT_EQ(Text(frmTempDb::lblCompiler), "Borland Delphi 7");
  EXPECT_EQ(Text(frmTempDb::lblUkuran), "2 Kb.");
  EXPECT_EQ(Text(frmTempDb::lblType), "Text Document");
  EXPECT_TRUE(CheckEnabled());

  Browse("C:\\gone.exe", {.checksum = "BBB", .length = std::nullopt});
  EXPECT_EQ(Text(frmTempDb::lblPacker), "Tiada");
  EXPECT_EQ(Text(frmTempDb::lblUkuran), "2 Kb.");
  EXPECT_EQ(Text(frmTempDb::lblType), "Text Document");
}

TEST_F(TempDbTest, UnloadingTickedMarksTheChecksumShownButNeverZeroNorFromADisabledBox) {
  mark_ = "EARLIER";
  Tick(true);
  window_.Form_Unload();
  EXPECT_EQ(mark_, "") << "ticked before any file is chosen: the mark is taken back";
  mark_ = "EARLIER";
  Tick(false);
  Browse("C:\\a.exe", {.checksum = "AAA"});
  window_.Form_Unload();
  EXPECT_EQ(mark_, "EARLIER") << "unticked";

  Tick(true);
  window_.Form_Unload();
  EXPECT_EQ(mark_, "AAA");

  // Ticked, then a file the scan's check never sees: the box is disabled and
  // keeps its tick, and the mark that works stays.
  for (const FakeFile& unseen : {FakeFile{.checksum = "B16", .length = 768000}, FakeFile{.checksum = "0", .length = 0}}) {
    Browse("C:\\unseen.exe", unseen);
    EXPECT_FALSE(CheckEnabled());
    window_.Form_Unload();
    EXPECT_EQ(mark_, "AAA") << unseen.checksum;
  }

  // A file that cannot be read shows "0" and leaves the box as it was,
  // enabled here: "0" marks nothing either.
  Browse("C:\\a.exe", {.checksum = "AAA"});
  Browse("C:\\gone.exe", {.checksum = "0", .packer = std::nullopt});
  EXPECT_TRUE(CheckEnabled());
  window_.Form_Unload();
  EXPECT_EQ(mark_, "AAA");
}

}  // namespace
}  // namespace tarvex
