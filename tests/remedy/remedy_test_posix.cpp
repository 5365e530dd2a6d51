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

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class RemedyOnFiles : public ::testing::Test {
 protected:
  fs::path Make(const std::string& relative, const std::string& content) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << content;
    return root_ / relative;
  }
  RemedyOutcome Apply(const fs::path& path, RemedyAction action, const std::function<void()>& meanwhile = [] {}) {
    const FoundFile found = remedy_.Identify({path.string(), "Test.Virus", 5, ""});
    meanwhile();
    return remedy_.Apply(found, action, quarantine_);
  }

  testing::TempFolder tmp_;
  fs::path root_ = tmp_.Folder();
  testing::FixedClock clock_;
  sys::FileSystem& files_ = sys::SystemFileSystem();
  Remedy remedy_{{files_, clock_, [](const std::string&) {}}};
  Quarantine quarantine_{(root_ / "q").string(), files_, clock_};
  bool made_ = files_.MakeFolder(quarantine_.Folder());
};

TEST_F(RemedyOnFiles, AFileThatIsNoLongerTheOneFoundIsLeftWhereItIs) {
  const fs::path found = root_ / "tree/sub/virus.exe", outside = root_ / "outside/virus.exe";
  // What happens between the scan and the click, leaving a clean file or a link at the found path.
  const std::function<void()> swaps[] = {
      [&] { fs::remove(found), Make("tree/sub/virus.exe", "clean"); },
      [&] { fs::rename(root_ / "tree/sub", root_ / "tree/moved"), fs::create_directory_symlink(outside.parent_path(), found.parent_path()); },
      [&] { fs::remove(found), fs::create_symlink(outside, found); },
  };
  for (const auto& swap : swaps) {
    for (RemedyAction action : {RemedyAction::Delete, RemedyAction::Quarantine}) {
      fs::remove_all(root_ / "tree");
      Make("outside/virus.exe", "clean file outside the tree");
      EXPECT_EQ(Apply(Make("tree/sub/virus.exe", "virus"), action, swap).kind, RemedyOutcome::Kind::Changed);
      EXPECT_EQ(Content(outside), "clean file outside the tree");
      EXPECT_TRUE(fs::exists(fs::symlink_status(found))) << "left in place";
      EXPECT_TRUE(quarantine_.List().empty());
    }
  }
}

TEST_F(RemedyOnFiles, NamesAreTakenLiterallyAndALongNameComesBackWhole) {
  Make("tree/v30.com", "clean neighbour");
  for (const std::string& name : {std::string("v*.com"), std::string(251, 'n') + ".com"}) {  // 255 bytes
    const RemedyOutcome moved = Apply(Make("tree/" + name, "virus " + name), RemedyAction::Quarantine);
    ASSERT_EQ(moved.kind, RemedyOutcome::Kind::Quarantined) << name;
    EXPECT_EQ(Content(moved.newPath), "virus " + name);
    EXPECT_TRUE(moved.newPath.ends_with("_vir"));
  }
  EXPECT_EQ(Content(root_ / "tree/v30.com"), "clean neighbour");
  EXPECT_EQ(fs::path(quarantine_.List().front().path).filename(), "v*.com_vir");
  for (const QuarantineEntry& entry : quarantine_.List()) {
    ASSERT_TRUE(quarantine_.Restore(entry).done);
    EXPECT_EQ(Content(entry.original), "virus " + fs::path(entry.original).filename().string());
  }
}

}  // namespace
}  // namespace tarvex
