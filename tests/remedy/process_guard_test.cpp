#include "remedy/process_guard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_processes.h"

namespace tarvex {
namespace {

using testing::FakeProcesses;

class ProcessGuardTest : public ::testing::Test {
 protected:
  FakeProcesses system;
  ProcessGuard guard{system};
};

TEST_F(ProcessGuardTest, TableHoldsEverySnapshotProcessInOrder) {
  for (std::uint32_t pid = 1000; pid < 1250; ++pid) system.Run(pid, "C:\\p\\" + std::to_string(pid) + ".exe");
  system.snapshot.push_back(4);  // listed by the snapshot but cannot be opened
  guard.ListProcesses();

  ASSERT_EQ(guard.ProcessCount(), 251u);
  ASSERT_EQ(guard.ProcessIDs().size(), 251u);
  ASSERT_EQ(guard.ProcessPaths().size(), 251u);
  EXPECT_EQ(guard.ProcessIDs().front(), 1000u);
  EXPECT_EQ(guard.ProcessPaths().front(), "C:\\p\\1000.exe");
  EXPECT_EQ(guard.ProcessIDs()[249], 1249u);
  EXPECT_EQ(guard.ProcessPaths()[249], "C:\\p\\1249.exe");
  EXPECT_EQ(guard.ProcessIDs().back(), 4u);
  EXPECT_EQ(guard.ProcessPaths().back(), "");

  // Well past the first hundred, a process can still be ended.
  guard.KillProcessByPath("C:\\p\\1240.exe");
  EXPECT_EQ(system.terminated, std::vector<std::uint32_t>{1240});
}

TEST_F(ProcessGuardTest, TableIsRebuiltFromScratchEachTime) {
  system.Run(1, "C:\\a.exe");
  system.Run(2, "C:\\b.exe");
  system.Run(3, "C:\\c.exe");
  guard.ListProcesses();
  ASSERT_EQ(guard.ProcessCount(), 3u);

  system.snapshot = {3};
  guard.ListProcesses();
  EXPECT_EQ(guard.ProcessIDs(), std::vector<std::uint32_t>{3});
  EXPECT_EQ(guard.ProcessPaths(), std::vector<std::string>{"C:\\c.exe"});
  guard.KillProcessByPath("C:\\a.exe");  // gone since the last snapshot
  EXPECT_TRUE(system.terminated.empty());

  system.snapshot.clear();
  guard.ListProcesses();
  EXPECT_EQ(guard.ProcessCount(), 0u);
  guard.KillProcessByPath("C:\\c.exe");
  EXPECT_TRUE(system.terminated.empty());
}

TEST_F(ProcessGuardTest, NativeFormPathsAreDropped) {
  system.Run(10, "\\??\\C:\\Windows\\system32\\csrss.exe");
  system.Run(11, "\\SystemRoot\\System32\\smss.exe");
  system.Run(12, "");
  EXPECT_EQ(guard.PathByPID(10), "");
  EXPECT_EQ(guard.PathByPID(11), "");

  // Only those exact prefixes are native forms.
  const char* kept[] = {"\\systemroot\\System32\\smss.exe", "\\??", "C:\\\\??\\x.exe"};
  for (const char* path : kept) {
    system.paths[12] = path;
    EXPECT_EQ(guard.PathByPID(12), path);
  }
  EXPECT_EQ(guard.PathByPID(99), "");  // unknown process

  guard.ListProcesses();
  EXPECT_EQ(guard.ProcessPaths(), (std::vector<std::string>{"", "", kept[2]}));
  guard.KillProcessByPath("");
  guard.KillProcessByPath("\\SystemRoot\\System32\\smss.exe");
  guard.KillProcessByPath("\\??\\C:\\Windows\\system32\\csrss.exe");
  EXPECT_TRUE(system.terminated.empty());
}

// Windows compares names without letter case, and a short 8.3 name stands for its long one.
TEST_F(ProcessGuardTest, EveryProcessOfTheSameFileIsEndedHoweverItsPathIsSpelled) {
  system.longNames["C:\\DATA~1\\VIRUS~1.EXE"] = "C:\\Data files\\Virus file.exe";
  system.Run(20, "c:\\data files\\virus file.exe");
  system.Run(21, "C:\\DATA~1\\VIRUS~1.EXE");
  system.Run(22, "C:\\Data files\\Virus file.exe");
  system.Run(23, "C:\\Data files\\Virus file.exe.bak");
  guard.ListProcesses();
  for (const char* other : {"C:/Data files/Virus file.exe", "C:\\Data files\\Virus file", ""}) guard.KillProcessByPath(other);
  EXPECT_TRUE(system.terminated.empty());
  guard.KillProcessByPath("C:\\DATA FILES\\VIRUS FILE.EXE");
  EXPECT_EQ(system.terminated, (std::vector<std::uint32_t>{20, 21, 22}));
}

TEST_F(ProcessGuardTest, StopsFromAFreshTableOnlyWhatMayBeRunning) {
  system.Run(7, "C:\\Virus.exe");
  system.idle.insert("C:\\Idle.exe");
  guard.StopProcessOf("C:\\Idle.exe");
  EXPECT_EQ(system.snapshots, 0) << "a file no process runs from costs no snapshot";
  system.Run(8, "C:\\Late.exe");  // started after any table before
  guard.StopProcessOf("C:\\Late.exe");
  EXPECT_EQ(system.snapshots, 1);
  EXPECT_EQ(system.terminated, std::vector<std::uint32_t>{8});
}

}  // namespace
}  // namespace tarvex
