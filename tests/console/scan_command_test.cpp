#include "console/scan_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "signatures/temp_files.h"
#include "support/detection_samples.h"
#include "support/fake_tree.h"
#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvex::console {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Args = std::vector<std::string>;

// A path written with "/" in the build's own form.
std::string NativePath(std::string path) {
  for (char& c : path) {
    if (c == '/') c = sys::kPathSeparator;
  }
  return path;
}

const std::string kEicar = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
const std::string kShippedDb = "6851CF3C:EICAR-Test-File\r\nSelesai:Selesai\r\n";

class FakeConsole : public ConsoleIo {
 public:
  void Write(sys::Stream stream, std::string_view text) override {
    (stream == sys::Stream::Out ? out : err).append(text);
  }
  bool IsTerminal(sys::Stream stream) override { return stream == sys::Stream::Err && terminal; }
  std::size_t TerminalWidth(sys::Stream) override { return 60; }
  std::vector<std::string> DatabasePlaces() override { return places; }

  std::string out, err;
  std::vector<std::string> places;
  bool terminal = false;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class ScanCommandTest : public ::testing::Test {
 protected:
  ScanCommandTest() { io_.places = {tmp_.Write("Tarvex.db", kShippedDb)}; }

  // Writes a file under the scanned tree; `rel` uses "/" between names.
  std::string File(const std::string& rel, const std::string& bytes) {
    std::filesystem::path p = std::filesystem::u8path(Tree() + NativePath(rel));
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return Tree() + NativePath(rel);
  }
  std::string Tree() const { return tmp_.Path("tree") + sys::kPathSeparator; }
  int Run(Args args) { return RunScanCommand(args, io_, SystemConsoleServices()); }

  // A virus inside a larger file, by entry 2 of the built-in table (100 bytes on its own).
  static std::string Infected() { return testing::VirusPatternBytes(2) + std::string(140, 'h'); }

  testing::TempFolder tmp_;
  FakeConsole io_;
};

TEST_F(ScanCommandTest, ExitStatusTellsTheResult) {
  File("clean/readme.txt", "nothing to see");
  File("dirty/eicar.com", kEicar);
  tmp_.Write("broken.db", "6851CF3C:EICAR-Test-File\r\n");
  const std::string large = tmp_.Write("large.db", kShippedDb + std::string(16u << 20, ' '));
  struct Case {
    Args args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{Tree() + "clean"}, 0, ""},
      {{Tree() + "dirty"}, 1, ""},
      {{Tree() + "clean", Tree() + "dirty"}, 1, ""},
      {{Tree() + "nowhere"}, 2, "cannot find " + Tree() + "nowhere"},
      {{"--db", tmp_.Path("none.db"), Tree()}, 2, "cannot read the database " + tmp_.Path("none.db")},
      {{"--db", tmp_.Path("broken.db"), Tree()}, 2, "is damaged: it does not end with the line Selesai:Selesai"},
      {{"--db", large, Tree()}, 2, "is damaged: it is larger than 16 MiB"},
      {{"--db", tmp_.Write("bom.db", "\xEF\xBB\xBF" + kShippedDb), Tree() + "dirty"}, 1, ""},
      {{"--db", tmp_.Write("long.db", std::string(10u << 20, 'x') + "\r\n" + kShippedDb), Tree()}, 1, "such as 'xxxxx"},
      {{"--db", tmp_.Write("zero.db", "0:w32.Kosong\r\n" + kShippedDb), Tree()}, 1, "line 1 has the key 0"},
      {{"--db", tmp_.Write("late.db", kShippedDb + "1A2B:w32.Late"), Tree()}, 1, "line 3 follows the line Selesai:Selesai"},
      {{"--bogus", Tree()}, 2, "unknown option '--bogus'"},
      {{"--mark", "00000000", Tree()}, 2, "would mark every empty or unreadable file"},
      {{}, 2, "Try 'tarvex-scan --help'"},
      {{"--help"}, 0, ""},
      {{"--version"}, 0, ""},
  };
  for (const Case& c : cases) {
    io_.err.clear();
    EXPECT_EQ(Run(c.args), c.status) << (c.args.empty() ? "" : c.args[0]);
    if (c.err.empty()) {
      EXPECT_THAT(io_.err, IsEmpty());
    } else {
      EXPECT_EQ(io_.err.rfind("tarvex-scan: ", 0), 0u) << io_.err;
      EXPECT_THAT(io_.err, HasSubstr(c.err));
      EXPECT_LT(io_.err.size(), 1000u) << "a warning names a line, it does not echo it";
    }
  }
}

TEST_F(ScanCommandTest, TheFirstDatabasePlaceThatHoldsOneIsUsedAndHelpNamesIt) {
  File("eicar.com", kEicar);
  const std::string present = io_.places[0], missing = tmp_.Path("bin") + sys::kPathSeparator + "Tarvex.db";
  io_.places = {missing, present};
  EXPECT_EQ(Run({Tree()}), 1) << io_.err;
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_THAT(io_.out, HasSubstr("now used:\n                    " + present + "\n"));

  io_.places = {missing, missing + "2"};
  io_.out.clear();
  EXPECT_EQ(Run({Tree()}), 2);
  EXPECT_THAT(io_.err, HasSubstr("cannot find the database: looked for " + missing + ", " + missing + "2; name one"));
  EXPECT_EQ(Run({"--help"}), 0);
  EXPECT_THAT(io_.out, HasSubstr("now used:\n                    none is there\n"));
}

TEST_F(ScanCommandTest, OneLinePerDetectionInWalkOrderThenTheSummary) {
  const std::string infected = File("a.exe", Infected());
  const std::string eicar = File("sub/eicar.com", kEicar);
  File("sub/deeper/clean.txt", "clean");
  EXPECT_EQ(Run({Tree()}), 1);
  EXPECT_THAT(io_.err, IsEmpty());
  std::vector<std::string> lines = Lines(io_.out);
  ASSERT_EQ(lines.size(), 9u) << io_.out;
  EXPECT_EQ(lines[0], infected + "\tw32.Burmecia\t150\tFile Terinfeksi");
  EXPECT_EQ(lines[1], eicar + "\tEICAR-Test-File\t68\t");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "Folders:        3");
  EXPECT_EQ(lines[4], "Files counted:  3");
  EXPECT_EQ(lines[5], "Files examined: 3");
  EXPECT_EQ(lines[6], "Detections:     2");
  EXPECT_EQ(lines[7], "Bytes read:     223 (0.0 MiB)");
  EXPECT_EQ(lines[8].rfind("Time:           ", 0), 0u) << lines[8];
  EXPECT_TRUE(lines[8].ends_with(" s")) << lines[8];
}

TEST_F(ScanCommandTest, NoSummaryLeavesTheDetectionsAndQuietLeavesNothing) {
  const std::string eicar = File("eicar.com", kEicar);
  EXPECT_EQ(Run({"--no-summary", Tree()}), 1);
  EXPECT_THAT(Lines(io_.out), ElementsAre(eicar + "\tEICAR-Test-File\t68\t"));
  io_.out.clear();
  io_.terminal = true;
  EXPECT_EQ(Run({"--quiet", Tree()}), 1);
  EXPECT_THAT(io_.out, IsEmpty());
  EXPECT_THAT(io_.err, IsEmpty());
}

TEST_F(ScanCommandTest, UserMarkReportsAChecksumTheDatabaseDoesNotList) {
  const std::string body = "123456789";
  const std::string file = File("digits.txt", body);
  EXPECT_EQ(Run({"--no-summary", "--mark", "cbf43926", Tree()}), 1);
  EXPECT_THAT(Lines(io_.out), ElementsAre(file + "\tPermintaan User\t9\t"));
  io_.out.clear();
  EXPECT_EQ(Run({"--no-summary", Tree()}), 0) << "the mark lasts for one scan only";
}

TEST_F(ScanCommandTest, LinesWithoutAColonAreSkippedWithAWarning) {
  const std::string db = tmp_.Write("odd.db", "garbage line\r\n6851CF3C:EICAR-Test-File\r\nSelesai:Selesai\r\n");
  File("eicar.com", kEicar);
  EXPECT_EQ(Run({"--db", db, "--no-summary", Tree()}), 1);
  EXPECT_THAT(io_.err, HasSubstr("warning: 1 line(s) of the database " + db + " have no colon"));
  EXPECT_THAT(io_.err, HasSubstr("'garbage line'"));
  io_.err.clear();
  EXPECT_EQ(Run({"--db", db, "-q", Tree()}), 1);
  EXPECT_THAT(io_.err, IsEmpty()) << "quiet leaves nothing but errors";
}

// One-letter folders down to EICAR: natively past the 4 096 bytes of a Linux path, so made from
// inside; under wine past 260 characters, as each level costs more. TARVEX_DEEP_CHAIN asks deeper.
class DeepChain {
 public:
  explicit DeepChain(const std::string& root) {
    const char* asked = std::getenv("TARVEX_DEEP_CHAIN");
    const std::size_t levels = asked ? std::strtoul(asked, nullptr, 10) : sys::kPathSeparator == '\\' ? 200 : 2100;
#ifdef _WIN32
    for (bottom_ = L"\\\\?\\" + std::filesystem::absolute(root).wstring();
         levels_ < levels && CreateDirectoryW((bottom_ + L"\\a").c_str(), nullptr); ++levels_) bottom_ += L"\\a";
    std::ofstream(std::filesystem::path(bottom_ + L"\\eicar.com"), std::ios::binary) << kEicar;
#else
    const int back = open(".", O_RDONLY);
    for (bool ok = chdir(root.c_str()) == 0; ok && levels_ < levels; ++levels_) ok = mkdir("a", 0755) == 0 && chdir("a") == 0;
    std::ofstream("eicar.com", std::ios::binary) << kEicar;
    if (fchdir(back) != 0 || close(back) != 0) levels_ = 0;
#endif
  }
#ifdef _WIN32
  ~DeepChain() {  // wine's removal of the temporary folder stops short of it
    DeleteFileW((bottom_ + L"\\eicar.com").c_str());
    for (std::size_t i = 0; i < levels_; ++i, bottom_.resize(bottom_.size() - 2)) RemoveDirectoryW(bottom_.c_str());
  }
  std::wstring bottom_;
#endif
  std::size_t levels_ = 0;
};

TEST_F(ScanCommandTest, AFileAsDeepAsTheSystemLetsUsGoIsFoundAndRemoved) {
  std::filesystem::create_directories(Tree());
  const DeepChain chain(tmp_.Path("tree"));
  ASSERT_GT(chain.levels_, 100u);
  std::string bottom = Tree();
  for (std::size_t i = 0; i < chain.levels_; ++i) bottom += std::string("a") + sys::kPathSeparator;
  EXPECT_EQ(Run({"--no-summary", "--remove", Tree()}), 1) << chain.levels_ << " levels: " << io_.err.substr(0, 200);
  EXPECT_THAT(Lines(io_.out), ElementsAre(bottom + "eicar.com\tEICAR-Test-File\t68\t\tremoved"));
}

#ifndef _WIN32
TEST_F(ScanCommandTest, AFolderThatCanBeReadButNotEnteredIsNamed) {
  File("locked/eicar.com", kEicar);
  const std::string locked = Tree() + "locked/";
  chmod(locked.c_str(), 0444);
  const bool root = geteuid() == 0;  // root enters every folder: the scan runs as nobody
  ASSERT_TRUE(!root || seteuid(65534) == 0);
  EXPECT_EQ(Run({"--no-summary", Tree()}), 0);
  ASSERT_TRUE(!root || seteuid(0) == 0);
  chmod(locked.c_str(), 0755);
  EXPECT_THAT(io_.err, HasSubstr("cannot read folder " + locked));
}
#endif

TEST_F(ScanCommandTest, NamesInManyScriptsAreFoundAndPrintedWhole) {
  const std::string names[] = {"вирус.exe", "ιός.scr", "病毒/病毒.exe", "فيروس.exe", "virüs 🦠.EXE", "ウイルス/x.exe"};
  std::vector<std::string> expected;
  for (const std::string& name : names) expected.push_back(File(name, Infected()) + "\tw32.Burmecia\t150\tFile Terinfeksi");
  EXPECT_EQ(Run({"--no-summary", Tree()}), 1);
  EXPECT_THAT(Lines(io_.out), ::testing::UnorderedElementsAreArray(expected));
}

TEST_F(ScanCommandTest, SingleFilesAreScannedLikeWalkedOnes) {
  const std::string file = File("one/a.exe", Infected());
  File("one/b.exe", Infected());
  EXPECT_EQ(Run({"--no-summary", file}), 1);
  EXPECT_THAT(Lines(io_.out), ElementsAre(file + "\tw32.Burmecia\t150\tFile Terinfeksi"));
}

TEST_F(ScanCommandTest, ProgressLineOnlyOnATerminalAndClearedAtTheEnd) {
  File("a.txt", "a");
  EXPECT_EQ(Run({"--no-summary", Tree()}), 0);
  EXPECT_THAT(io_.err, IsEmpty());

  io_.terminal = true;
  EXPECT_EQ(Run({"--no-summary", Tree()}), 0);
  EXPECT_THAT(io_.err, HasSubstr("\rcounting files: "));
  EXPECT_THAT(io_.err, HasSubstr("\r  0 %  0/1  "));
  const std::string::size_type lastReturn = io_.err.rfind('\r');
  EXPECT_EQ(lastReturn, io_.err.size() - 1) << "the line is blanked out at the end";
  EXPECT_EQ(io_.err.find_first_not_of(' ', io_.err.rfind('\r', lastReturn - 1) + 1), lastReturn);
}

TEST_F(ScanCommandTest, UnreadableFoldersAndFilesAreToldAndTheScanGoesOn) {
  const std::string root = "V:\\usb\\";  // the fake tree's own separator
  testing::FakeTree tree;
  tree.File(root, "locked", sys::kAttrDirectory).File(root, "a.exe").Folder(root, "open");
  ConsoleServices services{
      .scan = {.directories = tree,
               .folderListable = [&](const std::string& folder) { return folder != root + "locked\\"; },
               .readHead = [](const std::string&, std::size_t) { return std::string(); },
               .engine = {.readFile =
                              [&](const std::string& path, std::int64_t below, sys::FileBuffer& into) {
                                // The database reads; every file of the tree is locked.
                                if (path == io_.places[0]) return sys::ReadFileIfShorter(path, below, into);
                                return sys::FileRead{10, false};
                              },
                          .fileStamp = sys::FileStampOf}},
      .attributes = [](const std::string&) { return std::optional<std::uint32_t>(sys::kAttrDirectory); }};
  EXPECT_EQ(RunScanCommand({root}, io_, services), 0);
  EXPECT_THAT(Lines(io_.err), ElementsAre("tarvex-scan: cannot read " + root + "a.exe",
                                          "tarvex-scan: cannot read folder " + root + "locked\\"));
  EXPECT_THAT(io_.out, HasSubstr("Folders:        3"));
}

}  // namespace
}  // namespace tarvex::console
