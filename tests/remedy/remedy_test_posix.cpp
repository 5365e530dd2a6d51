// The remedy on real files of the host: names are taken literally, and long
// names survive the quarantine (the races are remedy_races_test's).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "remedy/remedy.h"
#include "signatures/temp_files.h"
#include "support/file_content.h"
#include "support/fixed_clock.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

class RemedyOnFiles : public ::testing::Test {
 protected:
  fs::path Make(const std::string& relative, const std::string& content) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << content;
    return root_ / relative;
  }
  RemedyOutcome Apply(const fs::path& path, RemedyAction action) {
    return remedy_.Apply({path.string(), "Test.Virus", 5, "", files_.Identify(path.string())}, action, quarantine_);
  }

  testing::TempFolder tmp_;
  fs::path root_ = tmp_.Folder();
  testing::FixedClock clock_;
  sys::FileSystem& files_ = sys::SystemFileSystem();
  Remedy remedy_{{files_, clock_, [](const std::string&) {}}};
  Quarantine quarantine_{(root_ / "q").string(), files_, clock_};
  bool made_ = files_.MakeFolder(quarantine_.Folder());
};

TEST_F(RemedyOnFiles, NamesAreTakenLiterallyAndALongNameComesBackWhole) {
  Make("tree/v30.com", "clean neighbour");
  for (const std::string& name : {std::string("v*.com"), std::string(251, 'n') + ".com"}) {  // 255 bytes
    const RemedyOutcome moved = Apply(Make("tree/" + name, "virus " + name), RemedyAction::Quarantine);
    ASSERT_EQ(moved.kind, RemedyOutcome::Kind::Quarantined) << name;
    EXPECT_EQ(testing::FileContent(moved.newPath), "virus " + name);
    EXPECT_TRUE(moved.newPath.ends_with("_vir"));
  }
  EXPECT_EQ(testing::FileContent(root_ / "tree/v30.com"), "clean neighbour");
  EXPECT_EQ(fs::path(quarantine_.List().front().path).filename(), "v*.com_vir");
  for (const QuarantineEntry& entry : quarantine_.List()) {
    ASSERT_TRUE(quarantine_.Restore(entry).Done());
    EXPECT_EQ(testing::FileContent(entry.original), "virus " + fs::path(entry.original).filename().string());
  }
}

}  // namespace
}  // namespace tarvex
