// The quarantine's manifest and restore, over files in memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "remedy/remedy.h"
#include "scan/heuristics.h"
#include "support/fake_file_system.h"
#include "support/fixed_clock.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using Entry = QuarantineEntry;

constexpr const char* kFolder = "C:\\Karantina\\";

class QuarantineDesk : public ::testing::Test {
 protected:
  QuarantineDesk() { files_.MakeFolder(kFolder); }
  RemedyOutcome Quarantined(const std::string& path, const std::string& virus = "Test.Virus",
                            const std::string& content = "") {
    if (!files_.files.count(path)) files_.Add(path, content.empty() ? "content of " + path : content);
    return remedy_.Apply(remedy_.Identify({path, virus, 1, ""}), RemedyAction::Quarantine, quarantine_);
  }
  std::string Manifest() { return files_.files[quarantine_.ManifestPath()].content; }

  testing::FakeFileSystem files_;
  testing::FixedClock clock_;
  Remedy remedy_{{files_, clock_, [](const std::string&) {}}};
  Quarantine quarantine_{kFolder, files_, clock_};
};

TEST_F(QuarantineDesk, AProgramDyingInTheMiddleOfAMoveLosesNoFileAndNoLine) {
  Quarantined("C:\\a\\first.exe");
  const std::string before = Manifest();
  files_.Add("C:\\b\\second.exe", "second");
  files_.dieOnMove = true;
  EXPECT_ANY_THROW(Quarantined("C:\\b\\second.exe"));
  EXPECT_EQ(files_.files["C:\\b\\second.exe"].content, "second") << "still in its place";
  EXPECT_TRUE(Manifest().starts_with(before)) << "the earlier line is kept";
  EXPECT_NE(Manifest(), before) << "the line was written before the move";
  // The line without its file claims nothing.
  EXPECT_THAT(quarantine_.List(), ElementsAre(Field(&Entry::original, "C:\\a\\first.exe")));
}

TEST_F(QuarantineDesk, ADamagedManifestCostsOnlyItsBadLinesAndEveryFileIsListed) {
  Quarantined("C:\\a\\one.exe");
  Quarantined("C:\\b\\two%\x01\xff.exe");  // survives the text file, which stays UTF-8
  Quarantined("C:\\c\\three.exe");
  std::string text = Manifest();
  const std::size_t second = text.find("karantina\t", 1);
  text.replace(second + 10, 19, "not a time\tno path");  // the second line loses fields
  files_.files[quarantine_.ManifestPath()].content = text + "karantina\t2026-12-06 22:05:33\tC:\\d\\cut";  // cut short
  files_.Add(std::string(kFolder) + "stray.exe_vir", "a file no line names");

  const std::vector<Entry> list = quarantine_.List();
  ASSERT_EQ(list.size(), 4u);
  EXPECT_THAT(list[0], Field(&Entry::id, 1));
  EXPECT_THAT(list[1], Field(&Entry::id, 3)) << "numbers stay with their lines";
  EXPECT_EQ(list[1].original, "C:\\c\\three.exe");
  // Then the files without a (whole) line, by name.
  EXPECT_EQ(list[2].name, "stray.exe_vir");
  EXPECT_FALSE(list[3].KnownOrigin()) << list[3].name;

  // A later line after the cut one is read whole, and the numbers hold after a restore.
  Quarantined("C:\\e\\four.exe");
  ASSERT_TRUE(quarantine_.Restore(quarantine_.List()[0]).done);
  EXPECT_THAT(quarantine_.List(), ElementsAre(Field(&Entry::id, 3), Field(&Entry::id, 5), Field(&Entry::id, 0),
                                              Field(&Entry::id, 0)));
  EXPECT_EQ(quarantine_.List()[1].original, "C:\\e\\four.exe");

  ManifestRecord odd{.original = "/home/u/a\tb\n\xff%.exe", .name = "x", .virus = "v"};
  EXPECT_EQ(ParseManifest(ManifestLine(odd)).at(0).original, odd.original);
}

TEST_F(QuarantineDesk, RestoreNeverOverwritesMakesFoldersAgainAndKeepsAttributes) {
  files_.Add("C:\\d\\eicar.com", "one", sys::kAttrHidden);
  files_.Add("C:\\e\\eicar.com", "two");
  files_.Add("C:\\f\\noext", "three");
  Quarantined("C:\\d\\eicar.com");
  Quarantined("C:\\e\\eicar.com");
  Quarantined("C:\\f\\noext");
  files_.Add("C:\\e\\eicar.com", "new file");
  files_.Add("C:\\e\\eicar (2).com", "another");
  files_.Add("C:\\f\\noext", "new");
  files_.folders.erase("C:\\d");

  const std::vector<Entry> list = quarantine_.List();
  std::vector<std::string> back;
  for (const Entry& e : list) back.push_back(quarantine_.Restore(e).restoredTo);
  EXPECT_THAT(back, ElementsAre("C:\\d\\eicar.com", "C:\\e\\eicar (3).com", "C:\\f\\noext (2)"));
  EXPECT_EQ(files_.files["C:\\d\\eicar.com"].content, "one");
  EXPECT_EQ(files_.files["C:\\d\\eicar.com"].attributes, sys::kAttrHidden);
  EXPECT_EQ(files_.files["C:\\e\\eicar.com"].content, "new file");
  EXPECT_EQ(files_.files["C:\\e\\eicar (3).com"].content, "two");
  EXPECT_TRUE(quarantine_.List().empty());

  // An unknown origin needs a folder; its name loses the quarantine's ending.
  files_.Add(std::string(kFolder) + "lost.doc_vir2", "lost");
  EXPECT_FALSE(quarantine_.Restore(quarantine_.List()[0]).done);
  EXPECT_EQ(quarantine_.Restore(quarantine_.List()[0], "C:\\new\\place").restoredTo, "C:\\new\\place\\lost.doc");
}

TEST_F(QuarantineDesk, OnlyARestoredHeuristicFindIsTrustedAndOnlyWithItsOwnContent) {
  struct Case {
    const char* virus;
    bool trusted;
  } cases[] = {{heuristics::kDoubleExt, true}, {heuristics::kFolderTwin, true}, {"EICAR-Test-File", false}};
  for (const Case& c : cases) {
    const std::string path = std::string("C:\\u\\") + c.virus + ".jpg.exe", content = std::string("MZ ") + c.virus;
    Quarantined(path, c.virus, content);
    EXPECT_FALSE(quarantine_.TrustsFound({path, c.virus, 0, ""}, content)) << "not before it is restored";
    ASSERT_TRUE(quarantine_.Restore(quarantine_.List().back()).done);
    const std::int64_t size = static_cast<std::int64_t>(content.size());
    EXPECT_EQ(quarantine_.TrustsFound({path, c.virus, size, ""}, std::nullopt), c.trusted) << c.virus;
    EXPECT_FALSE(quarantine_.TrustsFound({path, c.virus, size, ""}, content + "!")) << "changed content";
  }
}

}  // namespace
}  // namespace tarvex
