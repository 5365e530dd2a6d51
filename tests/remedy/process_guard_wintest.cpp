// The process guard against real processes: a helper program is copied into a
// folder of its own, started, found and ended the way an infected file is.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "remedy/process_guard.h"
#include "support/running_program_win32.h"
#include "support/temp_tree_win32.h"
#include "system/processes.h"
#include "system/processes_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex {
namespace {

using testing::RunningProgram;
using testing::TempTree;

// The helper, copied into a folder of its own where a scan could find it, and
// started from there. `relative` may name folders on the way.
class RunningSleeper {
 public:
  explicit RunningSleeper(const std::string& relative) : program_(folder_.Copy(relative, TARVEX_SLEEPER_PATH)) {}

  bool Started() const { return program_.Started(); }
  HANDLE Handle() const { return program_.Handle(); }
  std::uint32_t Pid() const { return program_.Pid(); }
  const std::string& Path() const { return program_.Path(); }
  bool EndedByTermination() const { return program_.EndedByTermination(); }

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
  TempTree folder_{"guard"};  // made before the program starts, removed after it ends
  RunningProgram program_;
};

TEST(SystemProcesses, ReportThisProgram) {
  wchar_t own[MAX_PATH] = {};
  std::string own_path = sys::win32::Utf8(std::wstring(own, GetModuleFileNameW(nullptr, own, MAX_PATH))).value();
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
// its queries, so the table must hold it unchanged, in UTF-8, whatever script
// the name is written in.
TEST(ProcessGuardOnWine, EndsTheProcessStartedFromTheFile) {
  // The emoji is a surrogate pair in UTF-16.
  const std::string names[] = {"Infected Sleeper.exe", "Вирус 病毒.exe", "Infected\\😈 sleeper.exe"};
  for (const std::string& name : names) {
    RunningSleeper sleeper(name);
    ASSERT_TRUE(sleeper.Started()) << sleeper.Path();
    ProcessGuard guard(sys::SystemProcesses());
    ASSERT_EQ(sleeper.PathInTable(guard), sleeper.Path());
    // The route the 32-bit program takes for 64-bit processes gives the same.
    // The table may have been made from the full image name while the new
    // process's modules could not be read yet: wait until they can.
    std::string modulePath;
    for (int tries = 0; tries < 100 && modulePath.empty(); ++tries, Sleep(modulePath.empty() ? 50 : 0))
      modulePath = sys::win32::FirstModulePath(sleeper.Pid());
    EXPECT_EQ(modulePath, sleeper.Path());
    EXPECT_EQ(sys::win32::FullImageName(sleeper.Pid()), sleeper.Path());

    EXPECT_TRUE(sys::SystemProcesses().MayRunFrom(sleeper.Path()));
    guard.KillProcessByPath(sleeper.Path());
    EXPECT_TRUE(sleeper.EndedByTermination()) << sleeper.Path();
    EXPECT_FALSE(sys::SystemProcesses().MayRunFrom(sleeper.Path())) << "no longer any process's image";
  }
}

// Found as C:\X\VIRUS.EXE, or by its short name: every process started from
// the file is ended, however it was started.
TEST(ProcessGuardOnWine, EndsEveryProcessOfTheFileHoweverItsPathIsSpelled) {
  RunningSleeper sleeper("Other Sleeper.exe");
  ASSERT_TRUE(sleeper.Started()) << sleeper.Path();
  testing::RunningProgram twin(SwapCase(sleeper.Path()));
  ASSERT_TRUE(twin.Started());
  ProcessGuard guard(sys::SystemProcesses());
  ASSERT_EQ(sleeper.PathInTable(guard), sleeper.Path());
  std::wstring shortPath(MAX_PATH, L'\0');
  shortPath.resize(GetShortPathNameW(sys::win32::Wide(sleeper.Path())->c_str(), shortPath.data(), MAX_PATH));
  ASSERT_NE(shortPath.find(L'~'), std::wstring::npos);
  guard.KillProcessByPath(*sys::win32::Utf8(shortPath));
  EXPECT_TRUE(sleeper.EndedByTermination());
  EXPECT_TRUE(twin.EndedByTermination());
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

TEST(SystemProcesses, PathsKeptFromOneTableToTheNextFollowTheProcessNotItsId) {
  ProcessGuard guard(sys::SystemProcesses());
  std::uint32_t firstPid = 0;
  {
    RunningSleeper first("eerste\\one.exe");
    ASSERT_TRUE(first.Started());
    firstPid = first.Pid();
    EXPECT_EQ(first.PathInTable(guard), first.Path());
    EXPECT_EQ(first.PathInTable(guard), first.Path()) << "the kept path, the second time";
    const std::optional<std::uint64_t> start = sys::win32::StartTime(first.Pid());
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(sys::win32::StartTime(first.Pid()), start);
  }
  // Another process, perhaps with the same id: its own path, never the one kept.
  RunningSleeper second("tweede\\two.exe");
  ASSERT_TRUE(second.Started());
  EXPECT_EQ(second.PathInTable(guard), second.Path()) << "pid " << second.Pid() << ", before " << firstPid;
  guard.KillProcessByPath(second.Path());
  EXPECT_TRUE(second.EndedByTermination());
}

}  // namespace
}  // namespace tarvex
