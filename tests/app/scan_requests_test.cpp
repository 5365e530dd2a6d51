// The command line, the hand-over text and the queue of scans nobody started with the Scan
// button, over fake drive types and folders and a scan that sees more drives arrive.
#include "app/scan_requests.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "app/start_request.h"

namespace tarvex {
namespace {

TEST(StartRequest, CommandLines) {
  const std::pair<const char*, StartRequest> cases[] = {
      {"TarvexAV.exe", {}},
      {"\"C:\\Program Files\\Tarvex\\TarvexAV.exe\" \"E:\\\"", {false, {"E:\\"}}},
      {"TarvexAV.exe E:", {false, {"E:\\"}}},
      {"TarvexAV.exe \"E:\\\" /jaga", {true, {"E:\\"}}},
      {"TarvexAV.exe /JAGA \"D:\\data lama\\\\\" C:\\x\\ \"\"", {true, {"D:\\data lama", "C:\\x"}}},
      {"TarvexAV.exe\tD:\\a\"b c\"\\", {false, {"D:\\ab c"}}},
  };
  for (const auto& [commandLine, expected] : cases) {
    EXPECT_EQ(ParseStartRequest(SplitCommandLine(commandLine)), expected) << commandLine;
    EXPECT_EQ(DecodeStartRequest(EncodeStartRequest(expected)), expected) << commandLine;
  }
  EXPECT_TRUE(DecodeStartRequest("folder \nsomething else\n\n")->Empty());
  EXPECT_FALSE(DecodeStartRequest(std::string("folder C:\\a\0b\n", 14)));
}

class Requests : public ::testing::Test {
 protected:
  // C: fixed, Z: a network drive, E: to G: removable.
  std::set<std::string> removable = {"E:\\", "F:\\", "G:\\"};
  std::set<std::string> folders = {"C:\\", "E:\\", "F:\\", "G:\\", "Z:\\", "C:\\Data"};
  bool scanning = false, blocked = false;
  int runsAsked = 0;
  std::vector<std::string> log;  // "status TEXT" and "scan ROOT", in order
  std::function<void(const std::string& root)> duringScan;

  ScanRequests requests{{
      .folderExists = [this](const std::string& p) { return folders.count(p) > 0; },
      .driveType = [this](const std::string& r) {
        return removable.count(r) ? sys::DriveType::Removable : sys::DriveType::Fixed; },
      .idle = [this] { return !scanning && !blocked; },
      .showStatus = [this](const std::string& text) { log.push_back("status " + text); },
      .scan =
          [this](const std::string& root) {
            log.push_back("scan " + root);
            scanning = true;
            if (duringScan) duringScan(root);
            scanning = false;
          },
      .runLater = [this] { ++runsAsked; },
  }};

  static std::uint32_t Mask(const std::string& letters) {
    std::uint32_t mask = 0;
    for (char l : letters) mask |= 1u << (l - 'A');
    return mask;
  }
};

TEST_F(Requests, CommandLineFoldersWaitForTheFirstActivationAndMissingOnesAreReported) {
  requests.Accept({false, {"Q:\\hilang", "C:\\Data"}});
  requests.RunPending();
  EXPECT_TRUE(log.empty()) << "no scan before the start-up steps have passed";
  requests.Activated();
  ASSERT_GT(runsAsked, 0);
  requests.RunPending();
  EXPECT_EQ(log, (std::vector<std::string>{"status Lokasi tidak ditemukan: Q:\\hilang", "scan C:\\Data"}));
  requests.VolumesArrived(Mask("E"));
  EXPECT_EQ(requests.Waiting(), 0u) << "no guard without /jaga";
}

TEST_F(Requests, GuardScansRemovableArrivalsWhenIdleOneAfterAnotherAndSkipsOnesGoneBeforeTheirTurn) {
  requests.Accept({true, {}});
  requests.Activated();
  ASSERT_EQ(log, (std::vector<std::string>{"status Penjaga flash disk aktif."}));
  log.clear();

  duringScan = [this](const std::string& root) {
    if (root != "E:\\") return;
    requests.VolumesArrived(Mask("FGCZ"));
    requests.VolumesArrived(Mask("F"));  // announced twice
    requests.RunPending();               // the queue's turn during the scan starts nothing inside it
    folders.erase("G:\\");               // pulled out before its turn
  };
  blocked = true;  // another of the program's windows is open
  requests.VolumesArrived(Mask("E"));
  requests.RunPending();
  EXPECT_TRUE(log.empty());
  blocked = false;
  const int asked = runsAsked;
  requests.BecameIdle();
  ASSERT_GT(runsAsked, asked);
  requests.RunPending();
  EXPECT_EQ(log, (std::vector<std::string>{"status Flash disk E:\\ terpasang, memeriksa...", "scan E:\\",
                                           "status Flash disk F:\\ terpasang, memeriksa...", "scan F:\\"}));
}

}  // namespace
}  // namespace tarvex
