// A scan in the real main window finds what it should in a tree of real files,
// with the shipped database, and ends a program running from an infected file.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

#include "app/antivirus_window_win32.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/string_signature.h"
#include "support/program_win32.h"
#include "support/running_program_win32.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"
#include "system/files.h"
#include "system/program_folder.h"

namespace tarvex {
namespace {

using testing::TempTree;

const std::string kEicar = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";

std::string Pattern(int virusIndex) { return HexToChars(SplitVirusEntry(VirusSignature(virusIndex)).pattern); }

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The files of a tree in the order the walk meets them: files first, then
// each subfolder's subtree, in listing order.
void WalkOrder(const std::string& folder, std::vector<std::string>& out) {
  for (const sys::DirEntry& e : sys::ListDirectory(folder + "\\*.*", 39)) out.push_back(folder + "\\" + e.name);
  for (const sys::DirEntry& e : sys::ListDirectory(folder + "\\", 55)) {
    if (e.name != "." && e.name != ".." && (e.attributes & sys::kAttrDirectory)) WalkOrder(folder + "\\" + e.name, out);
  }
}

struct Row {
  std::string name, path, size, remark;
  bool operator==(const Row& o) const {
    return name == o.name && path == o.path && size == o.size && remark == o.remark;
  }
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
  return os << "{" << r.name << ", " << r.path << ", " << r.size << ", '" << r.remark << "'}";
}

class ScanDetection : public testing::ProgramTest {
 protected:
  void SetUp() override {
    // The program's folder, with its database, is one of the test's own.
    sys::OverrideProgramFolder(programFolder_.Root());
    StartProgram();
    chosen_ = tree_.Root();
  }
  void TearDown() override { sys::OverrideProgramFolder(""); }

  void UseDatabase(const std::string& extraLines) {
    programFolder_.Write("Tarvex.db", extraLines + ReadText(TARVEX_SHIPPED_DB));
  }

  void Scan() { Click(Antivirus::cmdScan); }

  std::vector<Row> ListedRows() {
    HWND list = Child(Antivirus::ListView1);
    std::vector<Row> rows;
    for (int i = 0; i < testing::ListRows(list); ++i) {
      EXPECT_EQ(testing::ListCell(list, i, 0), "");
      rows.push_back({testing::ListCell(list, i, 1), testing::ListCell(list, i, 2), testing::ListCell(list, i, 3),
                      testing::ListCell(list, i, 4)});
    }
    return rows;
  }

  TempTree tree_{"tree"};
};

TEST_F(ScanDetection, FindsExactlyTheInfectedFilesInWalkOrder) {
  UseDatabase("");
  std::map<std::string, Row> infected;
  auto expect = [&](const std::string& path, const char* name, const char* remark) {
    infected[path] = {name, path, std::to_string(*sys::FileLength(path)), remark};
  };
  expect(tree_.Write("eicar.com", kEicar), "EICAR-Test-File", "");
  expect(tree_.Write("eicar.exe", kEicar), "EICAR-Test-File", "");
  expect(tree_.Write("Programs\\host.exe", Pattern(1) + std::string(20000, 'h')), "w32.service.exe",
         "File Terinfeksi");
  expect(tree_.Write("Programs\\tail.scr", std::string(978, 't') + Pattern(6)), "w32.spooler", "");
  expect(tree_.Write("Programs\\large.exe", Pattern(2) + std::string(1000000, 'l')), "w32.Burmecia",
         "File Terinfeksi");
  tree_.Write("clean.exe", "MZ just a program");
  tree_.Write("notes.txt", "hello");
  tree_.Write("Programs\\big.exe", Pattern(1) + std::string(4096000, 'b'));  // too big for any check
  tree_.Write("Programs\\large-eicar.exe", kEicar + std::string(800000, ' '));  // too big for the CRC check

  Scan();

  std::vector<std::string> order;
  WalkOrder(tree_.Root(), order);
  std::vector<Row> expected;
  for (const std::string& path : order) {
    if (infected.count(path)) expected.push_back(infected[path]);
  }
  EXPECT_THAT(ListedRows(), ::testing::ElementsAreArray(expected));
  EXPECT_EQ(Text(Antivirus::lblJumlahVirus), "5");
  EXPECT_EQ(Text(Antivirus::lblFileDiperiksa), "9");
  EXPECT_EQ(Text(Antivirus::status), "Pemeriksaan selesai, 5 virus ditemukan.");
  EXPECT_EQ(beeps_, 1);
}

// The helper program copied into the scanned tree, listed in the database by
// its checksum, and started from there.
class RunningInfection {
 public:
  RunningInfection(TempTree& tree, const std::string& launchName)
      : path_(tree.Write("Infected\\sleeper.exe", ReadText(TARVEX_SLEEPER_PATH))),
        program_(path_.substr(0, path_.size() - std::string("sleeper.exe").size()) + launchName) {}
  std::string DatabaseLine() const {
    clsCRC crc;
    return ChecksumText(crc.CalculateFile(path_)) + ":Test.Sleeper\r\n";
  }
  bool Started() const { return program_.Started(); }
  bool EndsWithin(DWORD ms) const { return program_.EndsWithin(ms); }
  std::uint32_t Pid() const { return program_.Pid(); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  testing::RunningProgram program_;
};

// A freshly started process shows its modules only after a moment.
std::string ReportedPath(ProcessGuard& guard, std::uint32_t pid) {
  for (int i = 0; i < 100; ++i) {
    std::string path = guard.PathByPID(pid);
    if (!path.empty()) return path;
    Sleep(50);
  }
  return "";
}

TEST_F(ScanDetection, ProgramRunningFromAnInfectedFileIsEndedBeforeTheScanEnds) {
  RunningInfection sleeper(tree_, "sleeper.exe");
  ASSERT_TRUE(sleeper.Started());
  ASSERT_EQ(ReportedPath(State().Guard(), sleeper.Pid()), sleeper.Path());
  UseDatabase(sleeper.DatabaseLine());

  bool endedWhileScanning = false;
  afterPump_ = [&] {
    if (State().Rows().size() == 1 && !endedWhileScanning && State().Scanning())
      endedWhileScanning = sleeper.EndsWithin(5000);
  };
  Scan();

  ASSERT_EQ(State().Rows().size(), 1u);
  EXPECT_EQ(State().Rows()[0].name, "Test.Sleeper");
  EXPECT_TRUE(endedWhileScanning);
}

TEST_F(ScanDetection, ProgramWhosePathDiffersOnlyInLetterCaseKeepsRunning) {
  RunningInfection sleeper(tree_, "sleeper.exe");
  ASSERT_TRUE(sleeper.Started());
  ASSERT_EQ(ReportedPath(State().Guard(), sleeper.Pid()), sleeper.Path());
  UseDatabase(sleeper.DatabaseLine());
  // The user picked the same folder, written in capitals: the file system
  // finds the file, but the path the scan reports is not the process's.
  std::string upper = tree_.Root();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ASSERT_NE(upper, tree_.Root());
  chosen_ = upper;

  Scan();

  ASSERT_EQ(State().Rows().size(), 1u);
  EXPECT_EQ(State().Rows()[0].path, upper + "\\Infected\\sleeper.exe");
  EXPECT_FALSE(sleeper.EndsWithin(500)) << "only the exact path may be ended";
}

}  // namespace
}  // namespace tarvex
