// The process guard against real processes: a helper program is copied into a
// folder of its own, started, found and ended the way an infected file is.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "remedy/process_guard.h"
#include "support/running_program_win32.h"
#include "system/processes.h"
#include "system/processes_win32.h"

namespace tarvex {
namespace {

std::string LongTempFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  char full[MAX_PATH] = {};
  DWORD n = GetLongPathNameA(temp, full, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(full, n) : std::string(temp);
}

// The helper, copied to where a scan could find it, and started from there.
class RunningSleeper {
 public:
  explicit RunningSleeper(const char* name) {
    folder_ = LongTempFolder() + "TarvexGuard" + std::to_string(GetCurrentProcessId()) + "_" + name;
    CreateDirectoryA(folder_.c_str(), nullptr);
    path_ = folder_ + "\\" + name;
    if (CopyFileA(TARVEX_SLEEPER_PATH, path_.c_str(), FALSE)) program_.emplace(path_, folder_.c_str());
  }
  ~RunningSleeper() {
    program_.reset();  // the file can go only once the program has ended
    DeleteFileA(path_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  bool Started() const { return program_ && program_->Started(); }
  HANDLE Handle() const { return program_->Handle(); }
  std::uint32_t Pid() const { return program_->Pid(); }
  const std::string& Path() const { return path_; }

  // A new process appears in the snapshot before its modules can be read:
  // rebuild the table until it shows this one with a path. "" on timeout.
  std::string PathInTable(ProcessGuard& guard) const {
    for (int tries = 0; tries < 100; ++tries) {
      guard.ListProcesses();
      const auto& ids = guard.ProcessIDs();
      auto at = std::find(ids.begin(), ids.end(), Pid());
      if (at != ids.end() && !guard.ProcessPaths()[at - ids.begin()].empty()) {
        return guard.ProcessPaths()[at - ids.begin()];
      }
      Sleep(50);
    }
    return {};
  }

 private:
  std::string folder_;
  std::string path_;
  std::optional<testing::RunningProgram> program_;
};

TEST(SystemProcesses, ReportThisProgram) {
  char own[MAX_PATH] = {};
  std::string own_path(own, GetModuleFileNameA(nullptr, own, MAX_PATH));
  sys::ProcessApi& system = sys::SystemProcesses();
  auto ids = system.SnapshotProcessIds();
  EXPECT_NE(std::find(ids.begin(), ids.end(), GetCurrentProcessId()), ids.end());
  EXPECT_EQ(system.ExecutablePath(GetCurrentProcessId()), own_path);
  EXPECT_EQ(system.ExecutablePath(0xFFFFFFF0u), "");
  EXPECT_FALSE(system.Terminate(0xFFFFFFF0u));
}

std::string SwapCase(std::string text) {
  for (char& c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    c = static_cast<char>(std::isupper(u) ? std::tolower(u) : std::toupper(u));
  }
  return text;
}

// The copy is started by its long path in the letter case of the disk, the
// form a folder walk produces; wine reports that same text through both of
// its queries, so the table must hold it unchanged.
TEST(ProcessGuardOnWine, EndsTheProcessStartedFromTheFile) {
  RunningSleeper sleeper("Infected Sleeper.exe");
  ASSERT_TRUE(sleeper.Started()) << sleeper.Path();
  ProcessGuard guard(sys::SystemProcesses());
  ASSERT_EQ(sleeper.PathInTable(guard), sleeper.Path());
  // The route the 32-bit program takes for 64-bit processes gives the same.
  EXPECT_EQ(sys::win32::FirstModulePath(sleeper.Pid()), sleeper.Path());
  EXPECT_EQ(sys::win32::FullImageName(sleeper.Pid()), sleeper.Path());

  guard.KillProcessByPath(sleeper.Path());
  ASSERT_EQ(WaitForSingleObject(sleeper.Handle(), 5000), WAIT_OBJECT_0);
  DWORD code = 99;
  ASSERT_TRUE(GetExitCodeProcess(sleeper.Handle(), &code));
  EXPECT_EQ(code, 0u);  // ended by the guard, not by its own timeout
}

TEST(ProcessGuardOnWine, LeavesAProcessWhosePathDiffersInCase) {
  RunningSleeper sleeper("Other Sleeper.exe");
  ASSERT_TRUE(sleeper.Started()) << sleeper.Path();
  ProcessGuard guard(sys::SystemProcesses());
  ASSERT_EQ(sleeper.PathInTable(guard), sleeper.Path());

  guard.KillProcessByPath(SwapCase(sleeper.Path()));
  EXPECT_EQ(WaitForSingleObject(sleeper.Handle(), 1000), WAIT_TIMEOUT);
}

}  // namespace
}  // namespace tarvex
