// A scan in the real main window finds what it should in a tree of real files,
// with the shipped database, and ends a program running from an infected file.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "app/antivirus_window_win32.h"
#include "remedy/quarantine.h"
#include "scan/file_detection.h"
#include "scan/folder_walk.h"
#include "scan/scan_progress.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/string_signature.h"
#include "support/command_run_win32.h"
#include "support/program_win32.h"
#include "support/running_program_win32.h"
#include "support/shell_link_win32.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"
#include "system/file_system.h"
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

  // tarvex-scan.exe over `roots` (each quoted) with the test's database: its lines, without the summary.
  testing::CommandRun Console(const std::string& roots) {
    testing::CommandRun run = testing::RunCommand(testing::Quoted(testing::Beside("tarvex-scan.exe")) +
                                                      " --no-summary --db " +
                                                      testing::Quoted(programFolder_.Root() + "\\Tarvex.db") + roots,
                                                  "");
    std::erase(run.output, '\r');
    return run;
  }

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
class RunningInfection : public testing::RunningProgram {
 public:
  RunningInfection(TempTree& tree, const std::string& relative)
      : RunningProgram(tree.Copy(relative, TARVEX_SLEEPER_PATH)) {}
  std::string DatabaseLine() const {
    clsCRC crc;
    return ChecksumText(crc.CalculateFile(Path())) + ":Test.Sleeper\r\n";
  }
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

// Copies of the test virus under names the ANSI code page cannot spell, in
// several scripts, and at the end of a path past the classic limit, beside
// clean files; one clean name differs from an infected one in such a
// character only. Written under `folder` of the tree; gives the infected paths.
std::vector<std::string> WriteMultiScriptTree(TempTree& tree, const std::string& folder) {
  std::string deep;
  for (int level = 1; level <= 11; ++level) deep += "tingkat_dalam_" + std::to_string(level + 10) + "_abcdefgh\\";
  std::vector<std::string> infected;
  for (const std::string name : {"plain\\eicar.com", "plain\\café.com", "вирус.com", "папка\\eicar.com",
                                 "plain\\病毒.com", "ιός.com", "فيروس.com", "ไวรัส.com", "😈.com", "pair\\a一.com",
                                 "noextension"}) {
    infected.push_back(tree.Write(folder + name, kEicar));
  }
  infected.push_back(tree.Write(folder + deep + "eicar.com", kEicar));
  EXPECT_GT(infected.back().size(), 330u);
  tree.Write(folder + "pair\\a丁.com", "clean, though the code page spells both names a?.com");
  tree.Write(folder + "plain\\readme.txt", "clean");
  return infected;
}

constexpr std::size_t kCleanFiles = 2;

TEST_F(ScanDetection, NoFileEscapesByItsNameOrItsDepth) {
  UseDatabase("");
  const std::vector<std::string> infected = WriteMultiScriptTree(tree_, "");
  std::vector<std::string> statusLines;
  yieldPumps_ = [] { return true; };  // the screen catches up at every yield, so every file shows
  afterPump_ = [&] { statusLines.push_back(Text(Antivirus::status)); };

  Scan();

  std::vector<std::string> order;
  WalkOrder(tree_.Root(), order);
  ASSERT_EQ(order.size(), infected.size() + kCleanFiles);
  std::vector<Row> inWalkOrder;
  for (const std::string& path : order) {
    if (std::count(infected.begin(), infected.end(), path)) inWalkOrder.push_back({"EICAR-Test-File", path, "68", ""});
  }
  ASSERT_EQ(inWalkOrder.size(), infected.size());
  EXPECT_THAT(ListedRows(), ::testing::ElementsAreArray(inWalkOrder));
  const std::string found = std::to_string(infected.size());
  EXPECT_EQ(Text(Antivirus::lblJumlahVirus), found);
  EXPECT_EQ(Text(Antivirus::lblTotalFile), std::to_string(order.size()));
  EXPECT_EQ(Text(Antivirus::lblFileDiperiksa), std::to_string(order.size()));
  EXPECT_EQ(Text(Antivirus::status), "Pemeriksaan selesai, " + found + " virus ditemukan.");
  // The status line showed the names as they are.
  for (const char* name : {"вирус.com", "😈.com", "ไวรัส.com"}) {
    EXPECT_THAT(statusLines, ::testing::Contains(StatusLineFor(tree_.Root() + "\\", name)));
  }
}

// The quarantine's files, name and content; removed with the folder when the
// test ends, so that the prefix's C:\Karantina is as the other tests expect.
class QuarantineFolder {
 public:
  ~QuarantineFolder() {
    Quarantine quarantine(kQuarantineFolder, sys::SystemFileSystem(), sys::SystemClock());
    for (const QuarantineEntry& entry : quarantine.List()) quarantine.Delete(entry);
    DeleteFileA("C:\\Karantina\\karantina.txt");
    RemoveDirectoryW(L"C:\\Karantina");
  }
  std::map<std::string, std::string> Content() const {
    std::map<std::string, std::string> out;
    for (const sys::DirEntry& e : sys::ListDirectory(kQuarantineFolder + std::string("*"), 0x27)) {
      if (e.name == kManifestName || (e.attributes & sys::kAttrDirectory)) continue;
      std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(kQuarantineFolder + e.name);
      out[e.name] = bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
    }
    return out;
  }
};

// After a scan of the tree, Hapus and Karantina remove every copy, and end the
// infected program running from a name in another script first.
TEST_F(ScanDetection, HapusAndKarantinaRemoveEveryCopyWhateverItsNameOrDepth) {
  QuarantineFolder quarantine;
  ASSERT_TRUE(quarantine.Content().empty()) << "left over from an earlier run";
  const std::string sleeperPath = tree_.Copy("hapus\\Infected\\сон 病.exe", TARVEX_SLEEPER_PATH);
  tree_.Copy("karantina\\Infected\\сон 病.exe", TARVEX_SLEEPER_PATH);
  clsCRC crc;
  UseDatabase(ChecksumText(crc.CalculateFile(sleeperPath)) + ":Test.Sleeper\r\n");

  for (int button : {Antivirus::cmdHapus, Antivirus::cmdKarantina}) {
    const std::string folder = button == Antivirus::cmdHapus ? "hapus\\" : "karantina\\";
    std::vector<std::string> infected = WriteMultiScriptTree(tree_, folder);
    infected.push_back(tree_.Path(folder + "Infected\\сон 病.exe"));
    chosen_ = tree_.Path(folder);
    Scan();
    ASSERT_EQ(State().Rows().size(), infected.size()) << folder;

    // Started again after the scan ended it: the action must end it first.
    testing::RunningProgram sleeper(infected.back());
    ASSERT_TRUE(sleeper.Started());
    ASSERT_EQ(ReportedPath(State().Guard(), sleeper.Pid()), sleeper.Path());
    Click(button);

    EXPECT_TRUE(sleeper.EndedByTermination());
    for (const std::string& path : infected) EXPECT_FALSE(sys::FileAttributes(path).has_value()) << path;
    EXPECT_TRUE(tree_.Exists(folder + "pair\\a丁.com"));
    EXPECT_TRUE(tree_.Exists(folder + "plain\\readme.txt"));
    EXPECT_EQ(testing::ListRows(Child(Antivirus::ListView1)), 0);
  }
  // Each quarantined file keeps its name; same names are numbered.
  const std::map<std::string, std::string> expected = {
      {"eicar.com_vir", kEicar},  {"eicar.com_vir2", kEicar}, {"eicar.com_vir3", kEicar}, {"café.com_vir", kEicar},
      {"вирус.com_vir", kEicar},  {"病毒.com_vir", kEicar},   {"ιός.com_vir", kEicar},     {"فيروس.com_vir", kEicar},
      {"ไวรัส.com_vir", kEicar}, {"😈.com_vir", kEicar},     {"a一.com_vir", kEicar},     {"noextension_vir", kEicar},
      {"сон 病.exe_vir", ReadText(TARVEX_SLEEPER_PATH)},
  };
  EXPECT_EQ(quarantine.Content(), expected);
}

TEST_F(ScanDetection, ProgramRunningFromAnInfectedFileIsEndedBeforeTheScanEnds) {
  // A name the code page cannot spell, beside a clean file whose name differs
  // from it in one such character only.
  RunningInfection sleeper(tree_, "Infected\\сон 病.exe");
  tree_.Write("Infected\\сон 痆.exe", "MZ clean");
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
  EXPECT_EQ(State().Rows()[0].path, sleeper.Path());
  EXPECT_TRUE(endedWhileScanning);
}

TEST_F(ScanDetection, ProgramWhosePathDiffersOnlyInLetterCaseIsEndedToo) {
  RunningInfection sleeper(tree_, "Infected\\sleeper.exe");
  ASSERT_TRUE(sleeper.Started());
  ASSERT_EQ(ReportedPath(State().Guard(), sleeper.Pid()), sleeper.Path());
  UseDatabase(sleeper.DatabaseLine());
  // The user picked the same folder, written in capitals: the path the scan
  // reports names the process's file as Windows compares names.
  std::string upper = tree_.Root();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  ASSERT_NE(upper, tree_.Root());
  chosen_ = upper;

  Scan();

  ASSERT_EQ(State().Rows().size(), 1u);
  EXPECT_EQ(State().Rows()[0].path, upper + "\\Infected\\sleeper.exe");
  EXPECT_TRUE(sleeper.EndsWithin(5000));
}

// A flash disk as the worms leave it, each disguise beside its clean
// look-alike; Karantina keeps what the heuristics found byte for byte.
TEST_F(ScanDetection, HeuristicsFindTheWormsDisguisesAndKarantinaKeepsThem) {
  QuarantineFolder quarantine;
  ASSERT_TRUE(quarantine.Content().empty()) << "left over from an earlier run";
  UseDatabase("");
  tree_.Folder("Foto", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  tree_.Folder("Musik");
  tree_.Folder("Kosong", FILE_ATTRIBUTE_HIDDEN);
  const std::string worm = "MZ\x90 a worm dressed in the folder icon", autorun = "[AutoRun]\r\nopen=Foto.exe\r\n";
  std::map<std::string, const char*> rules = {
      {tree_.Write("Foto.exe", worm), "Heur.FolderTwin"},
      {tree_.Write("foto.jpg.exe", worm), "Heur.DoubleExt"},
      {tree_.Write("tugas.doc      .scr", worm), "Heur.DoubleExt"},
      {tree_.Write("autorun.inf", autorun), "Heur.Autorun"},
  };
  tree_.Write("Musik.exe", worm);
  tree_.Write("catatan.txt.exe", "only text");
  tree_.Write("Musik\\autorun.inf", autorun);

  Scan();

  std::vector<std::string> order;
  WalkOrder(tree_.Root(), order);
  std::vector<Row> expected;
  for (const std::string& path : order) {
    if (rules.count(path)) expected.push_back({rules[path], path, std::to_string(*sys::FileLength(path)), "Heuristik"});
  }
  EXPECT_THAT(ListedRows(), ::testing::ElementsAreArray(expected));
  EXPECT_EQ(Text(Antivirus::status), "Pemeriksaan selesai, 4 virus ditemukan.");

  // The console's lines name the same files in the same order.
  std::string lines;
  for (const Row& r : expected) lines += r.path + "\t" + r.name + "\t" + r.size + "\t" + r.remark + "\n";
  const testing::CommandRun console = Console(" " + testing::Quoted(tree_.Root()));
  EXPECT_EQ(console.output, lines);
  EXPECT_EQ(console.exitCode, 1u);

  Click(Antivirus::cmdKarantina);
  EXPECT_EQ(quarantine.Content(), (std::map<std::string, std::string>{{"Foto.exe_vir", worm},
                                                                      {"foto.jpg.exe_vir", worm},
                                                                      {"tugas.doc      .scr_vir", worm},
                                                                      {"autorun.inf_vir", autorun}}));
}


// The media people carry beside the worms' tricks, each folder the root of a
// scan (where an autorun.inf counts), scanned by the console: only the tricks give a row.
TEST_F(ScanDetection, RealMediaGiveNoRowAndEachWormTrickGivesItsRow) {
  UseDatabase("");
  const std::string mz = "MZ\x90 a program";
  const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  tree_.Folder("medium\\Installer", hidden);
  tree_.Folder("stick\\Foto", hidden);
  const struct {
    const char* path;
    std::string content;
    const char* rule = nullptr;
    DWORD attributes = 0;
  } files[] = {
      {"medium\\autorun.inf", "[AutoRun.Amd64]\r\nopen=setup.exe\r\n[AutoRun]\r\nopen=sources\\SetupError.exe x64\r\n"},
      {"medium\\setup.exe", mz}, {"medium\\sources\\SetupError.exe", mz}, {"medium\\Word.to.PDF.exe", mz},
      {"medium\\Installer.exe", mz + std::string(kNoCheckBytes, 'i')},
      {"driver\\autorun.inf", "[autorun]\r\nopen=Setup.exe\r\nlabel=Driver\r\nshell\\doc\\command=Doc\\view.exe a.htm\r\n"},
      {"driver\\Setup.exe", mz}, {"driver\\Doc\\view.exe", mz},
      {"stick\\Foto.exe", mz, "Heur.FolderTwin"}, {"stick\\foto.jpg.exe", mz, "Heur.DoubleExt"},
      {"stick\\lagu\xE2\x80\xAE" "3pm.scr", mz, "Heur.DoubleExt"},
      {"stick\\autorun.inf", "[autorun]\r\nopen=Foto.exe\r\n", "Heur.Autorun"},
      {"verb\\autorun.inf", "[autorun]\r\nshell\\open\\command=data.exe\r\n", "Heur.Autorun", hidden},
      {"verb\\data.exe", mz}, {"target\\sys.exe", mz, nullptr, hidden},
      {"target\\autorun.inf", "[autorun]\r\nshellexecute=\"sys.exe\"\r\n", "Heur.Autorun"},
      {"script\\autorun.inf", "[Content]\r\nopen=wscript.exe //e:vbscript lagu.mp3\r\n", "Heur.Autorun"},
      {"recycler\\autorun.inf", "[autorun]\r\nopen=RECYCLER\\S-1-5-21\\jwgkvsq.exe\r\n", "Heur.Autorun"},
      {"padded\\autorun.inf", "[autorun]\r\nopen=run.vbs\r\n;" + std::string(kNoCrcBytes, ' '), "Heur.Autorun"},
  };
  std::set<std::string> expected, found;
  for (const auto& f : files) {
    const std::string path = tree_.Write(f.path, f.content, f.attributes);
    if (f.rule) expected.insert(path + "\t" + f.rule);
  }
  std::string roots;
  for (const char* root : {"medium", "driver", "stick", "verb", "target", "script", "recycler", "padded"})
    roots += " " + testing::Quoted(tree_.Path(root));
  std::istringstream lines(Console(roots).output);
  for (std::string line; std::getline(lines, line);) found.insert(line.substr(0, line.find('\t', line.find('\t') + 1)));
  EXPECT_EQ(found, expected);
}

// Every worm variant and look-alike of the table, each in its folder of the
// removable drive R:, its shortcuts made by the shell: the window and the
// console give each case exactly its rows, in the same order.
TEST_F(ScanDetection, ShortcutWormsGiveTheirRowsAndTheShortcutsPeopleMakeNone) {
  testing::TestStick stick;
  UseDatabase("");
  std::map<std::string, std::vector<Row>> expected, found;  // by the case's folder
  for (const testing::ShortcutCase& c : testing::ShortcutCases()) {
    const std::string folder = testing::kStickDrive + c.folder + "\\";
    ASSERT_TRUE(testing::WriteCase(c, folder)) << c.folder;
    for (const std::string& row : c.rows) {
      const std::string path = folder + row, size = std::to_string(sys::FileLength(path).value_or(-1));
      expected[c.folder].push_back({row == c.rows[0] ? "Heur.Shortcut" : "Heur.ShortcutTarget", path, size, "Heuristik"});
    }
  }
  chosen_ = testing::kStickDrive;
  Scan();
  std::string lines;
  for (const Row& r : ListedRows()) {
    found[r.path.substr(3, r.path.find('\\', 3) - 3)].push_back(r);
    lines += r.path + "\t" + r.name + "\t" + r.size + "\t" + r.remark + "\n";
  }
  EXPECT_EQ(found, expected);
  // A backslash before the closing quote doubled, or the program reads a quote.
  const testing::CommandRun console = Console(" " + testing::Quoted(testing::kStickDrive + std::string("\\")));
  EXPECT_EQ(console.output, lines);
  EXPECT_EQ(console.exitCode, 1u);
}

// A stick as the user meets it after two worms: Karantina takes each
// shortcut and what it starts into C:\Karantina\, recorded in the manifest,
// and FileRecover.bat brings the hidden folders back and tells where the
// loader put the user's files.
TEST_F(ScanDetection, KarantinaThenFileRecoverLeaveTheStickAsTheUserHadIt) {
  testing::TestStick stick;
  QuarantineFolder quarantine;
  UseDatabase("");
  const std::string root = testing::kStickDrive, blank = root + testing::kNoBreakSpace;
  std::set<std::string> caught, listed, recorded, onStick;
  for (const testing::ShortcutCase& c : testing::ShortcutCases()) {
    if (c.folder != "cmd" && c.folder != "loader") continue;
    ASSERT_TRUE(testing::WriteCase(c, root));
    for (const std::string& row : c.rows) caught.insert(root + row);
  }
  chosen_ = root;
  Scan();
  for (const Row& r : ListedRows()) listed.insert(r.path);
  EXPECT_EQ(listed, caught);

  Click(Antivirus::cmdKarantina);
  EXPECT_EQ(testing::ListRows(Child(Antivirus::ListView1)), 0);
  EXPECT_EQ(quarantine.Content().size(), caught.size());
  for (const ManifestRecord& r : ParseManifest(ReadText(kQuarantineFolder + std::string(kManifestName))))
    recorded.insert(r.original);
  EXPECT_EQ(recorded, caught);

  const testing::CommandRun recover = testing::RunCommand(
      "cmd.exe /c " + testing::Quoted(testing::Quoted(testing::Beside("FileRecover.bat")) + " R:"), "");
  EXPECT_EQ(recover.exitCode, 0u);
  EXPECT_NE(recover.output.find("ke folder tanpa nama di \"R:\\\" (2 file)."), std::string::npos) << recover.output;
  // The user's folders and files, visible, and nothing of the worms.
  for (const sys::DirEntry& e : sys::ListDirectory(root, kFolderListingMask)) onStick.insert(e.name);
  onStick.erase(".");
  onStick.erase("..");
  EXPECT_EQ(onStick, (std::set<std::string>{"Tugas", testing::kNoBreakSpace}));
  for (const std::string& path : {root + "Tugas", root + "Tugas\\laporan.docx", blank, blank + "\\Tugas\\laporan.docx",
                                  blank + "\\foto.jpg"}) {
    EXPECT_EQ(sys::FileAttributes(path).value_or(sys::kAttrHidden) & (sys::kAttrHidden | sys::kAttrSystem), 0u) << path;
  }
}

// Only the quarantine folder, in any letter case, is left unchecked; one whose name begins like it is checked.
TEST_F(ScanDetection, OnlyTheQuarantineFolderItselfIsLeftUnchecked) {
  UseDatabase("");
  QuarantineFolder quarantine;
  ASSERT_TRUE(quarantine.Content().empty()) << "left over from an earlier run";
  for (const wchar_t* folder : {L"C:\\Karantina", L"C:\\Karantina2"}) CreateDirectoryW(folder, nullptr);
  for (const auto& [folder, rows] : {std::pair{"C:\\Karantina2", 1u}, {"C:\\Karantina", 0u}, {"c:\\karantina", 0u}}) {
    std::ofstream(std::string(folder) + "\\eicar.com", std::ios::binary) << kEicar;
    chosen_ = folder;
    Scan();
    EXPECT_EQ(State().Rows().size(), rows) << folder;
  }
  DeleteFileW(L"C:\\Karantina2\\eicar.com");
  RemoveDirectoryW(L"C:\\Karantina2");
}

}  // namespace
}  // namespace tarvex
