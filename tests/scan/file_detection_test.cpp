#include "scan/file_detection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/signature_database.h"
#include "signatures/string_signature.h"
#include "signatures/temp_files.h"
#include "support/detection_samples.h"
#include "system/files.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;

using FakeWindow = testing::FoundList;

// ---- Which checks a file gets: file facts and both checks are the test's own.

class RecordingDetection : public FileDetection {
 public:
  RecordingDetection(FakeWindow& window, DetectionServices services) : FileDetection(window, services) {}
  void CEK_DENGAN_CRC(const std::string& d, const std::string& n) override { calls.push_back("crc " + d + n); }
  void CEK_DENGAN_STRING(const std::string& d, const std::string& n) override {
    calls.push_back("pattern " + d + n);
    if (patternFinds) Report({d + n, "w32.X", 1, ""});
    if (patternThrows) throw std::runtime_error("read failed");
  }
  std::vector<std::string> calls;
  bool patternFinds = false;
  bool patternThrows = false;
};

class CheckSelection : public ::testing::Test {
 protected:
  std::vector<std::string> Checks(const std::string& folder, const std::string& name, std::int64_t length) {
    lengths_[folder + name] = length;
    detection_.calls.clear();
    detection_.CheckSelection(folder, name);
    return detection_.calls;
  }

  DetectionServices Services() {
    DetectionServices s;
    s.fileLength = [this](const std::string& path) -> std::optional<std::int64_t> {
      auto it = lengths_.find(path);
      if (it == lengths_.end()) return std::nullopt;
      return it->second;
    };
    // Both checks are the recording ones: nothing is read or looked up.
    s.readFile = [](const std::string&) { return std::optional<std::vector<unsigned char>>(); };
    s.lookupCrc = [](const std::string&) { return std::string(); };
    return s;
  }

  std::map<std::string, std::int64_t> lengths_;
  FakeWindow window_;
  RecordingDetection detection_{window_, Services()};
};

TEST_F(CheckSelection, SizeLimits) {
  const std::string d = "D:\\Files\\";
  EXPECT_THAT(Checks(d, "a.exe", 767999), ElementsAre("pattern D:\\Files\\a.exe", "crc D:\\Files\\a.exe"));
  EXPECT_THAT(Checks(d, "a.exe", 768000), ElementsAre("pattern D:\\Files\\a.exe"));
  EXPECT_THAT(Checks(d, "a.EXE", 1000000), ElementsAre("pattern D:\\Files\\a.EXE"));
  EXPECT_THAT(Checks(d, "a.exe", 4095999), ElementsAre("pattern D:\\Files\\a.exe"));
  EXPECT_THAT(Checks(d, "a.exe", 4096000), ElementsAre());
  EXPECT_THAT(Checks(d, "a.exe", 5000000), ElementsAre());
  EXPECT_THAT(Checks(d, "b.dll", 767999), ElementsAre("crc D:\\Files\\b.dll"));
  EXPECT_THAT(Checks(d, "b.dll", 768000), ElementsAre());
}

TEST_F(CheckSelection, OnlyExecutablesAndScreenSaversGetThePatternCheck) {
  const std::string d = "D:\\Files\\";
  EXPECT_THAT(Checks(d, "s.scr", 500000), ElementsAre("pattern D:\\Files\\s.scr", "crc D:\\Files\\s.scr"));
  EXPECT_THAT(Checks(d, "S.SCR", 10), ElementsAre("pattern D:\\Files\\S.SCR", "crc D:\\Files\\S.SCR"));
  EXPECT_THAT(Checks(d, "lib.dll", 500000), ElementsAre("crc D:\\Files\\lib.dll"));
  EXPECT_THAT(Checks(d, "setup.exe.txt", 10), ElementsAre("crc D:\\Files\\setup.exe.txt"));
}

TEST_F(CheckSelection, QuarantineFolderAndBelowAreLeftAloneComparedAsAPath) {
  const struct {
    const char* folder;
    bool checked;
  } cases[] = {{"C:\\Karantina\\", false},    {"C:\\Karantina\\deep\\", false}, {"c:\\karantina\\", false},
               {"C:/KARANTINA/", false},        {"C:\\Karantina2\\", true},
               {"C:\\KarantinaBaru\\", true}, {"D:\\Karantina\\", true},        {"C:\\", true}};
  for (const auto& c : cases) {
    EXPECT_EQ(Checks(c.folder, "x.dll", 10).size(), c.checked ? 1u : 0u) << c.folder;
  }
}

TEST_F(CheckSelection, FileWhoseLengthCannotBeReadGetsNoCheck) {
  detection_.CheckSelection("D:\\Gone\\", "vanished.exe");
  EXPECT_TRUE(detection_.calls.empty());
}

TEST_F(CheckSelection, FileReportedByThePatternCheckGetsNoCrcCheck) {
  detection_.patternFinds = true;
  EXPECT_THAT(Checks("D:\\", "bad.exe", 100), ElementsAre("pattern D:\\bad.exe"));
  // Reported was the file before: this one gets both checks.
  detection_.patternFinds = false;
  EXPECT_THAT(Checks("D:\\", "next.exe", 100), ElementsAre("pattern D:\\next.exe", "crc D:\\next.exe"));
}

TEST_F(CheckSelection, FailingPatternCheckStillLeavesTheCrcCheck) {
  detection_.patternThrows = true;
  EXPECT_THAT(Checks("D:\\", "locked.exe", 100), ElementsAre("pattern D:\\locked.exe", "crc D:\\locked.exe"));
}

// ---- Both checks over real files and a real database file.

using testing::ChecksumOf;
std::string PatternBytes(int virusIndex) { return testing::VirusPatternBytes(virusIndex); }

class Checks : public ::testing::Test {
 protected:
  Checks() {
    services_.fileLength = sys::FileLength;
    services_.lookupCrc = [this](const std::string& text) { return WithUserMark(LookupCrcInFile(db_, text), text, mark_); };
    services_.readFile = [this](const std::string& path) {
      ++reads_[path];
      return sys::ReadWholeFile(path);
    };
    UseDatabase("Selesai:Selesai\r\n");
    detection_ = std::make_unique<FileDetection>(window_, services_);
  }

  void UseDatabase(const std::string& text) { db_ = tmp_.Write("Tarvex.db", text); }
  std::string Folder() const { return tmp_.Folder() + sys::kPathSeparator; }
  void Scan(const std::string& name, const std::string& bytes) {
    tmp_.Write(name, bytes);
    detection_->CheckSelection(Folder(), name);
  }

  testing::TempFolder tmp_;
  std::string db_;
  std::string mark_;
  std::map<std::string, int> reads_;
  FakeWindow window_;
  DetectionServices services_;
  std::unique_ptr<FileDetection> detection_;
};

TEST_F(Checks, FirstMatchingVirusEntryNamesTheFile) {
  Scan("both.exe", "MZ" + PatternBytes(5) + "...." + PatternBytes(1));
  ASSERT_EQ(window_.found.size(), 1u);
  EXPECT_EQ(window_.found[0].virusName, "w32.service.exe");
  EXPECT_EQ(window_.found[0].path, Folder() + "both.exe");
  EXPECT_EQ(window_.found.size(), 1u);
}

TEST_F(Checks, RemarkMarksAVirusInsideALargerHost) {
  const std::string pattern = PatternBytes(2);  // w32.Burmecia, 100 bytes on its own
  Scan("s99.exe", pattern + std::string(99 - pattern.size(), 'x'));
  Scan("s100.exe", std::string(100 - pattern.size(), 'x') + pattern);  // in the very last bytes
  Scan("s101.exe", pattern + std::string(101 - pattern.size(), 'x'));
  ASSERT_EQ(window_.found.size(), 3u);
  EXPECT_EQ(window_.found[0].size, 99);
  EXPECT_EQ(window_.found[0].remark, "");
  EXPECT_EQ(window_.found[1].size, 100);
  EXPECT_EQ(window_.found[1].remark, "");
  EXPECT_EQ(window_.found[2].size, 101);
  EXPECT_EQ(window_.found[2].remark, "File Terinfeksi");
  EXPECT_EQ(window_.found.size(), 3u);
}

TEST_F(Checks, ClearFileGetsNoRowAndIsReadOnce) {
  Scan("clean.exe", std::string(5000, 'a'));
  EXPECT_TRUE(window_.found.empty());
  EXPECT_EQ(window_.found.size(), 0u);
  EXPECT_EQ(reads_[Folder() + "clean.exe"], 1) << "both checks share one read of the file";
}

TEST_F(Checks, CrcCheckNamesTheFileFromTheDatabase) {
  const std::string body = "not a pattern, but listed by checksum";
  UseDatabase("ABC:w32.Other\r\n" + ChecksumOf(body) + ":w32.Listed:Variant\r\nSelesai:Selesai\r\n");
  Scan("listed.dll", body);
  ASSERT_EQ(window_.found.size(), 1u);
  EXPECT_EQ(window_.found[0].virusName, "w32.Listed:Variant");
  EXPECT_EQ(window_.found[0].size, static_cast<std::int64_t>(body.size()));
  EXPECT_EQ(window_.found[0].remark, "");
}

TEST_F(Checks, FileReportedByItsPatternIsNotReportedAgainByItsChecksum) {
  const std::string body = PatternBytes(3) + "tail";
  UseDatabase(ChecksumOf(body) + ":w32.FromDatabase\r\nSelesai:Selesai\r\n");
  Scan("twice.exe", body);
  ASSERT_EQ(window_.found.size(), 1u);
  EXPECT_EQ(window_.found[0].virusName, "w32.KSpoold");
  EXPECT_EQ(window_.found.size(), 1u);
}

TEST_F(Checks, UserMarkedChecksumWinsOverTheDatabase) {
  const std::string body = "123456789";
  UseDatabase("CBF43926:w32.Digits\r\nSelesai:Selesai\r\n");
  mark_ = "CBF43926";
  Scan("digits.txt", body);
  ASSERT_EQ(window_.found.size(), 1u);
  EXPECT_EQ(window_.found[0].virusName, "Permintaan User");
}

TEST_F(Checks, AFileWithoutContentIsNeverNamedByAChecksum) {
  UseDatabase("0:w32.Kosong\r\nSelesai:Selesai\r\n");
  mark_ = "0";
  Scan("empty.exe", "");
  services_.readFile = [](const std::string&) { return std::optional<std::vector<unsigned char>>(); };
  Scan("unreadable.txt", "content no one can read");
  EXPECT_TRUE(window_.found.empty());
}

TEST_F(Checks, UnreadableFileEndsThePatternCheckWithoutARow) {
  services_.readFile = [](const std::string&) { return std::optional<std::vector<unsigned char>>(); };
  services_.fileLength = [](const std::string&) { return std::optional<std::int64_t>(200); };
  FileDetection detection(window_, services_);
  detection.CheckSelection("D:\\", "locked.exe");
  EXPECT_TRUE(window_.found.empty());
  EXPECT_EQ(window_.found.size(), 0u);
}

TEST_F(Checks, RowAndCountStayTogetherWhenTheLengthCannotBeReadAgain) {
  // The file's length query fails after its content was read (it is being
  // replaced, say): the row still appears, with the length that was read.
  services_.fileLength = [](const std::string&) { return std::optional<std::int64_t>(); };
  services_.lookupCrc = [](const std::string&) { return std::string("w32.Moving"); };
  FileDetection detection(window_, services_);
  tmp_.Write("moving.dll", "12345");
  detection.CEK_DENGAN_CRC(Folder(), "moving.dll");
  ASSERT_EQ(window_.found.size(), 1u);
  EXPECT_EQ(window_.found[0].size, 5);
  EXPECT_EQ(window_.found.size(), 1u);
}

}  // namespace
}  // namespace tarvex
