// The quarantine's manifest and restore, over files in memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

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
  files_.dieOnMove = true;
  EXPECT_ANY_THROW(Quarantined("C:\\b\\second.exe"));
  EXPECT_EQ(files_.files["C:\\b\\second.exe"].content, "content of C:\\b\\second.exe") << "still in its place";
  EXPECT_TRUE(Manifest().starts_with(before) && Manifest() != before) << "a line added, none lost";
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

  // Numbers stay with their lines; then the files without a (whole) line, by name.
  EXPECT_THAT(quarantine_.List(), ElementsAre(Field(&Entry::original, "C:\\a\\one.exe"), Field(&Entry::id, 3),
                                              Field(&Entry::name, "stray.exe_vir"), Field(&Entry::id, 0)));
  // A later line after the cut one is read whole, and the numbers hold after a restore.
  Quarantined("C:\\e\\four.exe");
  ASSERT_TRUE(quarantine_.Restore(quarantine_.List()[0]).done);
  EXPECT_THAT(quarantine_.List(), ElementsAre(Field(&Entry::id, 3), Field(&Entry::original, "C:\\e\\four.exe"),
                                              Field(&Entry::id, 0), Field(&Entry::id, 0)));

  ManifestRecord odd{.original = "/home/u/a\tb\n\xff%.exe", .name = "x", .virus = "v"};
  EXPECT_EQ(ParseManifest(ManifestLine(odd)).at(0).original, odd.original);
}

// Beside the real window's test of "NAME (2).EXT": a name without an
// extension, and a folder gone since.
TEST_F(QuarantineDesk, RestoreNeverOverwritesAndMakesFoldersAgain) {
  Quarantined("C:\\d\\deep\\x.com");
  Quarantined("C:\\f\\noext");
  files_.folders.erase("C:\\d\\deep");
  files_.folders.erase("C:\\d");
  files_.Add("C:\\f\\noext", "new");
  std::vector<std::string> back;
  for (const Entry& e : quarantine_.List()) back.push_back(quarantine_.Restore(e).restoredTo);
  EXPECT_THAT(back, ElementsAre("C:\\d\\deep\\x.com", "C:\\f\\noext (2)"));
  EXPECT_EQ(files_.files["C:\\f\\noext"].content, "new");
}

// A name taken meanwhile is never overwritten; the next batch starts again at "_vir".
TEST_F(QuarantineDesk, CopiesOfOneNameTakeTheNextNamesAndNeverOverwrite) {
  const std::string q = kFolder;
  const std::pair<std::function<void()>, const char*> steps[] = {
      {[] {}, "_vir"}, {[] {}, "_vir2"}, {[&] { files_.Add(q + "x_vir3", "someone's"); }, "_vir4"},
      {[&] { files_.files.erase(q + "x_vir"); }, "_vir5"}, {[&] { quarantine_.ForgetTakenNames(); }, "_vir"}};
  for (const auto& [meanwhile, name] : steps) {
    meanwhile();
    EXPECT_EQ(Quarantined("C:\\" + std::string(name) + "\\x").newPath, q + "x" + name);
  }
  EXPECT_EQ(files_.files[q + "x_vir3"].content, "someone's");
}

TEST_F(QuarantineDesk, OnlyARestoredHeuristicFindIsTrustedAndOnlyWithItsOwnContent) {
  for (const char* virus : {heuristics::kDoubleExt, heuristics::kShortcut, heuristics::kShortcutTarget, "EICAR-Test-File"}) {
    const std::string path = std::string("C:\\u\\") + virus + ".jpg.exe", content = std::string("MZ ") + virus;
    Quarantined(path, virus, content);
    ASSERT_TRUE(quarantine_.Restore(quarantine_.List().back()).done);
    const Detection found{path, virus, static_cast<std::int64_t>(content.size()), ""};
    EXPECT_EQ(quarantine_.TrustsFound(found, std::nullopt), virus != std::string("EICAR-Test-File")) << virus;
    EXPECT_FALSE(quarantine_.TrustsFound(found, content + "!")) << "changed content";
  }
}

}  // namespace
}  // namespace tarvex
