// The one scan that the main window and tarvex-scan both run, told to a
// recording sink over a tree and files in memory.
#include "scan/two_pass_scan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "signatures/string_signature.h"
#include "support/detection_samples.h"
#include "support/fake_tree.h"
#include "support/main_window_fakes.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;

// Writes down what the scan tells, but for the turns of the event queue,
// which it only counts (a stop request may come with one).
class ScanRecorder : public ScanSink {
 public:
  void PassStarted(Kerja k) override { events.push_back(std::string("start ") + Name(k)); }
  void PassEnded(Kerja k, const ScanCounts& c) override {
    events.push_back(std::string("end ") + Name(k) + " " + Of(c));
  }
  void Counting(std::uint64_t counted) override { counting.push_back(counted); }
  void Examining(const std::string& folder, const std::string& name, const ScanCounts& c) override {
    events.push_back("examining " + folder + name + " " + Of(c));
  }
  void Examined(const ScanCounts& c) override { events.push_back("examined " + Of(c)); }
  void Detected(const Detection& d) override { events.push_back("found " + d.virusName + " " + d.path); }
  void Problem(ScanProblem, const std::string& path) override { events.push_back("problem " + path); }
  void DoEvents() override {
    ++yields;
    if (onYield) onYield();
  }

  std::vector<std::string> events;
  std::vector<std::uint64_t> counting;
  int yields = 0;
  std::function<void()> onYield;

 private:
  static const char* Name(Kerja k) { return k == Kerja::Hitung ? "Hitung" : "Pindai"; }
  static std::string Of(const ScanCounts& c) { return std::to_string(c.examined) + "/" + std::to_string(c.counted); }
};

class TwoPassScanTest : public ::testing::Test {
 protected:
  TwoPassScanTest() {
    fakes_.tree.File("C:\\Data\\", "a.exe").File("C:\\Data\\", "b.txt").Folder("C:\\Data\\", "Sub");
    fakes_.tree.File("C:\\Data\\Sub\\", "c.scr");
    fakes_.infected["C:\\Data\\a.exe"] = "w32.A";
    fakes_.infected["C:\\Data\\Sub\\c.scr"] = "w32.C";
    scan_.PrepareDatabase("C:\\Tarvex\\Tarvex.db", "");
  }

  testing::MainWindowFakes fakes_;
  AntivirusServices services_ = fakes_.Services();
  ScanRecorder sink_;
  TwoPassScan scan_{sink_, {.directories = fakes_.tree,
                            .folderListable = [this](const std::string& f) { return f != "C:\\Locked\\"; },
                            .readHead = services_.scan.readHead,
                            .engine = services_.scan.engine}};
};

TEST_F(TwoPassScanTest, CountsThenExaminesInWalkOrderAndTellsEachStepInTurn) {
  const ScanCounts counts = scan_.Run({{"C:\\Data"}});
  EXPECT_THAT(sink_.events,
              ElementsAre("start Hitung", "end Hitung 0/3", "start Pindai",              //
                          "examining C:\\Data\\a.exe 0/3", "found w32.A C:\\Data\\a.exe", "examined 1/3",
                          "examining C:\\Data\\b.txt 1/3", "examined 2/3",              //
                          "examining C:\\Data\\Sub\\c.scr 2/3", "found w32.C C:\\Data\\Sub\\c.scr", "examined 3/3",
                          "end Pindai 3/3"));
  // A turn after every file, every folder and every pass; the counting pass's progress with each.
  EXPECT_EQ(sink_.yields, 12);
  EXPECT_THAT(sink_.counting, ElementsAre(1, 2, 3, 3, 3, 3));
  EXPECT_EQ(counts.counted, 3u);
  EXPECT_EQ(counts.examined, 3u);
  EXPECT_EQ(counts.detections, 2u);
  EXPECT_EQ(counts.folders, 2u);
  EXPECT_FALSE(counts.stopped);
}

TEST_F(TwoPassScanTest, AStopEndsTheWalkAtItsNextPollAndIsHeardByThatScanOnly) {
  sink_.onYield = [this] {
    if (sink_.events.back() == "examined 1/3") scan_.RequestStop();
  };
  ScanCounts counts = scan_.Run({{"C:\\Data"}});
  EXPECT_EQ(sink_.events.back(), "end Pindai 1/3");
  EXPECT_TRUE(counts.stopped);
  EXPECT_FALSE(scan_.Stopping());

  sink_.onYield = nullptr;
  scan_.RequestStop();  // between scans: nothing to stop
  counts = scan_.Run({{"C:\\Data"}});
  EXPECT_EQ(counts.examined, 3u);
}

TEST_F(TwoPassScanTest, SingleFilesAndUnreadableFoldersAmongTheRoots) {
  const ScanCounts counts = scan_.Run({{"C:\\Data\\a.exe", true}, {"C:\\Locked"}, {"C:\\Data\\Sub"}});
  EXPECT_THAT(sink_.events,
              ElementsAre("start Hitung", "end Hitung 0/2", "start Pindai",  //
                          "examining C:\\Data\\a.exe 0/2", "found w32.A C:\\Data\\a.exe", "examined 1/2",
                          "problem C:\\Locked\\",  //
                          "examining C:\\Data\\Sub\\c.scr 1/2", "found w32.C C:\\Data\\Sub\\c.scr", "examined 2/2",
                          "end Pindai 2/2"));
  EXPECT_EQ(counts.folders, 2u);
}

// The worm's disguises among clean look-alikes, on a flash disk E:\ with the
// files' contents in memory.
class HeuristicsInAScan : public ::testing::Test {
 protected:
  HeuristicsInAScan() {
    const std::uint32_t hidden = sys::kAttrHidden | sys::kAttrSystem;
    tree_.Folder("E:\\", "Foto", hidden).Folder("E:\\", "Musik").Folder("E:\\", "Tugas", hidden).Folder("E:\\", "Sub");
    Put("E:\\", "FOTO.exe", "MZ worm");                        // twin of a hidden folder, any letter case
    Put("E:\\", "Musik.scr", "MZ program");                    // its folder is visible
    Put("E:\\", "Lagu.exe", "MZ program");                     // no folder of its name
    Put("E:\\", "Tugas.exe", "MZ" + testing::VirusPatternBytes(1));  // named by its pattern already
    Put("E:\\", "foto.jpg.exe", "MZ worm");
    Put("E:\\", "tugas.doc      .PIF", "MZ worm");
    Put("E:\\", "notes.txt.exe", "not a program");
    Put("E:\\", "autorun.inf", "[AutoRun]\r\nopen=FOTO.exe\r\n");
    Put("E:\\Sub\\", "AUTORUN.INF", "[autorun]\r\nshellexecute=x.exe\r\n");  // neither root nor start
    Put("E:\\Sub\\", "Sub.exe", "MZ worm");  // the hidden twin must be in its own folder
  }
  void Put(const std::string& folder, const std::string& name, const std::string& content) {
    tree_.File(folder, name);
    contents_[folder + name] = content;
  }
  // `trusted`: the contents of the files the user restored.
  std::vector<std::string> Found(bool heuristics, std::set<std::string> trusted = {}) {
    testing::FoundList sink;
    TwoPassScan scan(sink, {.directories = tree_,
                            .folderListable = [](const std::string&) { return true; },
                            .readHead = [this](const std::string& p, std::size_t n) { return contents_[p].substr(0, n); },
                            .engine = {.readFile =
                                           [this](const std::string& p, std::int64_t, sys::FileBuffer& into) {
                                             const std::string& c = contents_[p];
                                             std::copy(c.begin(), c.end(), into.Prepare(c.size()));
                                             return sys::FileRead{static_cast<std::int64_t>(c.size()), true};
                                           },
                                       .fileStamp = [](const std::string&) { return std::nullopt; }}});
    scan.UseHeuristics(heuristics);
    scan.TrustHeuristicFinds([trusted](const Detection&, std::optional<std::string_view> content) {
      return content && trusted.count(std::string(*content));
    });
    scan.Run({{"E:\\"}});
    std::vector<std::string> found;
    for (const Detection& d : sink.found) found.push_back(d.virusName + " " + d.path + " " + d.remark);
    return found;
  }

  testing::FakeTree tree_;
  std::map<std::string, std::string> contents_;
};

TEST_F(HeuristicsInAScan, ReportEachDisguiseOnceAndLeaveTheLookAlikes) {
  const std::string bySignature = SplitVirusEntry(VirusSignature(1)).name + " E:\\Tugas.exe ";
  EXPECT_THAT(Found(true), ElementsAre("Heur.FolderTwin E:\\FOTO.exe Heuristik", bySignature,
                                       "Heur.DoubleExt E:\\foto.jpg.exe Heuristik",
                                       "Heur.DoubleExt E:\\tugas.doc      .PIF Heuristik",
                                       "Heur.Autorun E:\\autorun.inf Heuristik"));
  EXPECT_THAT(Found(false), ElementsAre(bySignature));
  // Each find is judged by its own content, the autorun.inf's too, which is
  // read before the program it starts.
  EXPECT_THAT(Found(true, {contents_["E:\\autorun.inf"], "MZ worm"}), ElementsAre(bySignature));
}

}  // namespace
}  // namespace tarvex
