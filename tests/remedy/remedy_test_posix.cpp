// The remedy on real files of the host: it acts only on the file the scan
// found, by its literal name, and long names survive the quarantine.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "remedy/remedy.h"
#include "signatures/temp_files.h"
#include "support/fixed_clock.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using Kind = RemedyOutcome::Kind;

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RemedyOnFiles : public ::testing::Test {
 protected:
  fs::path Make(const std::string& relative, const std::string& content) {
    const fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  FoundFile Found(const fs::path& path) { return remedy_.Identify({path.string(), "Test.Virus", 5, ""}); }
  RemedyOutcome Apply(const FoundFile& found, RemedyAction action) { return remedy_.Apply(found, action, quarantine_); }

  testing::TempFolder tmp_;
  fs::path root_ = tmp_.Folder();
  testing::FixedClock clock_;
  sys::FileSystem& files_ = sys::SystemFileSystem();
  std::vector<std::string> stopped_;
  Remedy remedy_{{files_, clock_, [this](const std::string& path) { stopped_.push_back(path); }}};
  Quarantine quarantine_{(root_ / "q").string(), files_, clock_};
  bool made_ = files_.MakeFolder(quarantine_.Folder());
};

TEST_F(RemedyOnFiles, AFileThatIsNoLongerTheOneFoundIsLeftWhereItIs) {
  struct Case {
    const char* what;
    // Done after the scan found tree/sub/virus.exe: it leaves a clean file
    // (or a link) at that path.
    void (*swap)(const fs::path& root);
  } cases[] = {
      {"replaced by a clean file", [](const fs::path& r) {
         fs::remove(r / "tree/sub/virus.exe");
         std::ofstream(r / "tree/sub/virus.exe") << "clean";
       }},
      {"its folder swapped for a link outside the tree", [](const fs::path& r) {
         fs::rename(r / "tree/sub", r / "tree/moved");
         fs::create_directory_symlink(r / "outside", r / "tree/sub");
       }},
      {"itself swapped for a link to a file outside", [](const fs::path& r) {
         fs::remove(r / "tree/sub/virus.exe");
         fs::create_symlink(r / "outside/virus.exe", r / "tree/sub/virus.exe");
       }},
  };
  for (const Case& c : cases) {
    for (RemedyAction action : {RemedyAction::Delete, RemedyAction::Quarantine}) {
      fs::remove_all(root_ / "tree");
      const fs::path outside = Make("outside/virus.exe", "clean file outside the tree");
      const FoundFile found = Found(Make("tree/sub/virus.exe", "virus"));
      c.swap(root_);
      EXPECT_EQ(Apply(found, action).kind, Kind::Changed) << c.what;
      EXPECT_EQ(Content(outside), "clean file outside the tree") << c.what;
      EXPECT_TRUE(fs::exists(fs::symlink_status(root_ / "tree/sub/virus.exe"))) << c.what << ": left in place";
      EXPECT_TRUE(quarantine_.List().empty()) << c.what;
    }
  }
}

TEST_F(RemedyOnFiles, NamesAreTakenLiterallyAndALongNameComesBackWhole) {
  const fs::path neighbour = Make("tree/v30.com", "clean neighbour");
  const std::string longName = std::string(251, 'n') + ".com";  // 255 bytes
  for (const std::string& name : {std::string("v*.com"), longName}) {
    const fs::path path = Make("tree/" + name, "virus " + name);
    const RemedyOutcome moved = Apply(Found(path), RemedyAction::Quarantine);
    ASSERT_EQ(moved.kind, Kind::Quarantined) << name;
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(Content(moved.newPath), "virus " + name);
    EXPECT_LE(fs::path(moved.newPath).filename().string().size(), 255u);
    EXPECT_TRUE(fs::path(moved.newPath).filename().string().ends_with("_vir"));
  }
  EXPECT_EQ(Content(neighbour), "clean neighbour");
  EXPECT_EQ(fs::path(quarantine_.List().front().path).filename(), "v*.com_vir");

  for (const QuarantineEntry& entry : quarantine_.List()) {
    const RestoreOutcome back = quarantine_.Restore(entry);
    ASSERT_TRUE(back.done) << back.reason;
    EXPECT_EQ(back.restoredTo, entry.original);
    EXPECT_EQ(Content(back.restoredTo), "virus " + fs::path(back.restoredTo).filename().string());
  }
  EXPECT_TRUE(fs::exists(root_ / "tree" / longName));
}

}  // namespace
}  // namespace tarvex
