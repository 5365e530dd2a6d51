// The quarantine's manifest and restore, over files in memory.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "base/utf8.h"
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

class Desk {
 public:
  Desk() { files_.MakeFolder(kFolder); }
  RemedyOutcome Quarantined(const std::string& path, const std::string& virus = "Test.Virus",
                            const std::string& content = "") {
    if (!files_.files.count(path)) files_.Add(path, content.empty() ? "content of " + path : content);
    return remedy_.Apply({path, virus, 1, "", files_.Identify(path)}, RemedyAction::Quarantine, quarantine_);
  }
  std::string Manifest() { return files_.files[quarantine_.ManifestPath()].content; }
  QuarantineOutcome RestoreLast(const std::string& into = "") { return quarantine_.Restore(quarantine_.List().back(), into); }

  testing::FakeFileSystem files_;
  testing::FixedClock clock_;
  Remedy remedy_{{files_, clock_, [](const std::string&) {}}};
  Quarantine quarantine_{kFolder, files_, clock_};
};

class QuarantineDesk : public ::testing::Test, public Desk {};

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
  ASSERT_TRUE(quarantine_.Restore(quarantine_.List()[0]).Done());
  EXPECT_THAT(quarantine_.List(), ElementsAre(Field(&Entry::id, 3), Field(&Entry::original, "C:\\e\\four.exe"),
                                              Field(&Entry::id, 0), Field(&Entry::id, 0)));

  ManifestRecord odd{.original = "/home/u/a\tb\n\xff%.exe", .name = "x", .virus = "v"};
  EXPECT_EQ(ParseManifest(ManifestLine(odd)).at(0).original, odd.original);
}

// Beside the real window's test of "NAME (2).EXT": a name without an
// extension in a folder with a dot in its name, and a folder gone since.
TEST_F(QuarantineDesk, RestoreNeverOverwritesAndMakesFoldersAgain) {
  Quarantined("C:\\d\\deep\\x.com");
  Quarantined("C:\\f.d\\noext");
  files_.folders.erase("C:\\d\\deep");
  files_.folders.erase("C:\\d");
  files_.Add("C:\\f.d\\noext", "new");
  std::vector<std::string> back;
  for (const Entry& e : quarantine_.List()) back.push_back(quarantine_.Restore(e).path);
  EXPECT_THAT(back, ElementsAre("C:\\d\\deep\\x.com", "C:\\f.d\\noext (2)"));
  EXPECT_EQ(files_.files["C:\\f.d\\noext"].content, "new");
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

// Each row a fault that a plausible slip in the remedy, the quarantine or its
// manifest brings back, on a desk of its own: true when the sound behaviour held.
TEST(QuarantineFaults, EachIsCaught) {
  const std::string q = kFolder, worm = "MZ worm";
  const Detection guess{"C:\\u\\a.jpg.exe", heuristics::kDoubleExt, 7, heuristics::kRemark};
  const std::pair<const char*, std::function<bool(Desk&)>> rows[] = {
      {"only a restore trusts a heuristic find, and only its own content", [&](Desk& d) {
         d.Quarantined(guess.path, guess.virusName, worm);
         d.Quarantined("C:\\u\\e.exe", "EICAR-Test-File", worm + "!");  // a signature's find: never trusted
         d.quarantine_.ReadTrust();
         const bool before = d.quarantine_.TrustsFound(guess, worm);
         d.quarantine_.Restore(d.quarantine_.List()[0]);
         d.RestoreLast();
         d.quarantine_.ReadTrust();
         return !before && d.quarantine_.TrustsFound(guess, worm) && !d.quarantine_.TrustsFound(guess, "MZ worn") &&
                !d.quarantine_.TrustsFound({guess.path, "EICAR-Test-File", 8, ""}, worm + "!");
       }},
      {"trust needs the SHA-256 and a quarantine line before the restore line", [&](Desk& d) {
         // A hand-written restore line alone, then a pair for another content of the same size and checksum.
         ManifestRecord line{.kind = ManifestRecord::Kind::Restored, .original = guess.path, .name = "a.jpg.exe_vir",
                             .virus = guess.virusName, .size = 7, .checksum = DigestOf(worm).checksum};
         for (const char* sha : {DigestOf(worm).sha256.c_str(), "0f", "0f"}) {
           line.sha256 = sha;
           d.quarantine_.Record(line);
           using K = ManifestRecord::Kind;
           line.kind = line.kind == K::Restored ? K::Quarantined : K::Restored;
         }
         d.quarantine_.ReadTrust();
         return !d.quarantine_.TrustsFound(guess, worm);
       }},
      {"a name used again after a restore gets the new file's own origin", [&](Desk& d) {
         d.Quarantined("C:\\a\\x.exe");
         d.RestoreLast();
         d.Quarantined("C:\\b\\x.exe");
         return d.quarantine_.List().back().original == "C:\\b\\x.exe";
       }},
      {"a file whose manifest line cannot be written is not moved", [&](Desk& d) {
         d.files_.Add(q + kManifestName, "").readOnly.insert(q + kManifestName);
         return d.Quarantined("C:\\c\\y.exe").kind == RemedyOutcome::Kind::Failed && d.files_.files.count("C:\\c\\y.exe");
       }},
      {"a file in a folder that cannot be searched is not already gone", [&](Desk& d) {
         d.files_.Add("C:\\d\\z.exe").unsearchable.insert("C:\\d");
         const auto apply = [&](auto identity) {
           return d.remedy_.Apply({"C:\\d\\z.exe", "v", 5, "", identity}, RemedyAction::Delete, d.quarantine_);
         };
         return !apply(d.files_.Identify("C:\\d\\z.exe")).Done() && !apply(std::nullopt).Done();
       }},
      {"exactly one manifest line per moved file", [&](Desk& d) {
         d.files_.Add(q + "w.exe_vir", "someone's");
         d.Quarantined("C:\\e\\w.exe");
         d.Quarantined("C:\\f\\w.exe");
         const std::string m = d.Manifest();
         return std::count(m.begin(), m.end(), '\n') == 2;
       }},
      {"a file whose size differs from its line is not restored to that origin", [&](Desk& d) {
         d.Quarantined("C:\\g\\v.exe");
         d.files_.files[q + "v.exe_vir"].content += "!";
         return !d.quarantine_.List().back().KnownOrigin() && !d.RestoreLast().Done() && !d.files_.files.count("C:\\g\\v.exe");
       }},
      {"a long non-ASCII name is cut on a character boundary", [&](Desk& d) {
         std::string name;
         for (int i = 0; i < 130; ++i) name += "\xC3\xA9";
         const std::string moved = d.Quarantined("C:\\h\\" + name).newPath.substr(q.size());
         return moved.size() <= 255 && moved.ends_with("_vir") && sys::Utf8ToUtf16(moved);
       }},
      {"an unknown-origin NAME_vir2 comes back as NAME", [&](Desk& d) {
         d.files_.Add(q + "tool.exe_vir2", "x");
         return d.RestoreLast("C:\\back").path == "C:\\back\\tool.exe";
       }},
      {"a name like 100%41.txt survives the manifest, which stays UTF-8", [&](Desk& d) {
         const std::string odd = "C:\\j\\100%41.txt", bad = "C:\\j\\b\xFF\x01\t.exe";
         d.Quarantined(odd);
         d.Quarantined(bad);
         const std::vector<Entry> listed = d.quarantine_.List();
         return listed[0].original == odd && listed[1].original == bad && sys::Utf8ToUtf16(d.Manifest());
       }},
      {"deleting an entry that changed underneath does not report deleted", [&](Desk& d) {
         d.Quarantined("C:\\k\\u.exe");
         const Entry listed = d.quarantine_.List().back();
         d.files_.Add(listed.path, "replaced");
         return !d.quarantine_.Delete(listed).Done() && d.files_.files[listed.path].content == "replaced";
       }},
      {"a restore through a folder that became a link is refused", [&](Desk& d) {
         d.Quarantined("C:\\l\\sub\\t.exe");
         d.files_.links.insert("C:\\l\\sub");
         const QuarantineOutcome back = d.RestoreLast();
         return !back.Done() && back.reason.find("link") != std::string::npos && !d.files_.files.count("C:\\l\\sub\\t.exe");
       }},
  };
  for (const auto& [fault, holds] : rows) {
    Desk desk;
    EXPECT_TRUE(holds(desk)) << fault;
  }
}

}  // namespace
}  // namespace tarvex
