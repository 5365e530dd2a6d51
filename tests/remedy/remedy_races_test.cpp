// The remedy on real files, changed by someone else between its steps (the file system's seam): what was put at
// the name and everything outside the tree stay as they were, and no outcome claims a change the found file did
// not undergo. The host's shell makes the links and pipes, also under wine.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "remedy/remedy.h"
#include "signatures/temp_files.h"
#include "support/fixed_clock.h"
#ifdef _WIN32
#include "support/host_shell_win32.h"
#endif

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using Kind = RemedyOutcome::Kind;
using Step = sys::ChangeStep;

// A script of the host's shell: its exit status.
int Shell(const std::string& script) {
#ifdef _WIN32
  return testing::HostShell(script);
#else
  return WEXITSTATUS(std::system(script.c_str()));
#endif
}

// A folder that is there as the host's shell takes it.
std::string Host(const fs::path& folder) {
#ifdef _WIN32
  return testing::HostPath(folder.string());
#else
  return folder.string();
#endif
}

// Each swap, and what must still be at the name after it.
struct Swap {
  const char* what;
  const char* script;
  const char* planted;
};
constexpr Swap kSwaps[] = {
    {"a clean file in its place", "mv \"$F\" \"$F.aside\"; printf clean > \"$F\"", "test \"$(cat \"$F\")\" = clean"},
    {"a link to the found file itself", "mv \"$F\" \"$F.aside\"; ln -s virus.exe.aside \"$F\"", "test -L \"$F\""},
    {"a link to a file outside", "mv \"$F\" \"$F.aside\"; ln -s \"$OUT\" \"$F\"", "test -L \"$F\""},
    {"a pipe", "mv \"$F\" \"$F.aside\"; mkfifo \"$F\"", "test -p \"$F\""},
    {"the folder for a link to where it went", "mv \"$D\" \"$D\"2 && ln -s sub2 \"$D\"", "test -L \"$D\""},
};

// Before the remedy starts: what happens between the scan and the click.
constexpr std::optional<Step> kMoments[] = {std::nullopt, Step::Opened, Step::Renamed, Step::Copied};

TEST(RemedyRaces, NothingButTheFoundFileIsEverTouched) {
  testing::TempFolder tmp;
  const fs::path found = fs::path(tmp.Folder()) / "tree" / "sub" / "virus.exe";
  // A quarantine on another disk where there is one (the move is then a copy), and what of the
  // file's time and mode a move keeps (Windows keeps no mode).
#ifdef _WIN32
  const fs::path otherDisk = "Z:\\dev\\shm";
  const std::string kept = "KEEP=%Y KEPT=1600000000";
#else
  const fs::path otherDisk = "/dev/shm";
  const std::string kept = "KEEP='%Y %a' KEPT='1600000000 751'";
#endif
  const fs::path folder = tmp.Folder(), quarantines[] = {folder / "q", otherDisk / ("tarvex_q_" + folder.filename().string())};
  const std::string root = Host(tmp.Folder()), other = Host(otherDisk) + "/" + quarantines[1].filename().string();
  // $T the tree, $D the found file's folder and $F the file, $Q the quarantine, $OUT a file outside the tree.
  const auto script = [&](const std::string& text, const fs::path& q) {
    return "T='" + root + "/tree' Q='" + (q == quarantines[0] ? root + "/q" : other) + "' OUT='" + root +
           "/outside.exe' " + kept + "; D=\"$T/sub\"; F=\"$D/virus.exe\"\n" + text;
  };
  // The files holding the virus below $T and below $Q, as the exit status T * 8 + Q, no link followed; 64 more when
  // a moved one lost its time or mode.
  const char* holding =
      "c() { find \"$1\" -type f -size 5c -exec grep -qx virus {} \\; -print | wc -l; }; k=0; for f in \"$Q\"/*_vir; do\n"
      "[ ! -e \"$f\" ] || [ \"$(stat -c \"$KEEP\" \"$f\")\" = \"$KEPT\" ] || k=64; done; exit $(( $(c \"$T\") * 8 + $(c \"$Q\") + k ))";
  testing::FixedClock clock;
  for (const Swap& swap : kSwaps) {
    for (const std::optional<Step> moment : kMoments) {
      for (int action = 0; action < 3; ++action) {
        const fs::path& q = quarantines[action == 2];
        // Only a move to another disk copies.
        if ((action == 2 && !fs::is_directory(otherDisk)) || (moment == Step::Copied && action != 2)) continue;
        Shell(script("rm -rf \"$T\" \"$Q\"; mkdir -p \"$D\" \"$Q\"; printf virus > \"$F\"; printf outside > \"$OUT\"\n"
                     "chmod 751 \"$F\"; touch -d @1600000000 \"$F\"", q));
        bool swapped = false;
        auto at = [&](Step step) {
          if (!swapped && moment == step) Shell(script(swap.script, q) + " 2>/dev/null");
          swapped = swapped || moment == step;
        };
        const std::unique_ptr<sys::FileSystem> files = sys::SystemFileSystemWithSeam(at);
        Remedy remedy({*files, clock, [](const std::string&) {}});
        Quarantine quarantine(q.string(), *files, clock);
        const Detection detection{found.string(), "Test.Virus", 5, "", files->Identify(found.string())};
        if (!moment) Shell(script(swap.script, q)), swapped = true;
        const RemedyOutcome outcome = remedy.Apply(detection, action ? RemedyAction::Quarantine : RemedyAction::Delete, quarantine);

        const std::string where = std::string(swap.what) + ", step " + std::to_string(moment ? int(*moment) : -1) +
                                  ", action " + std::to_string(action) + ": outcome " + std::to_string(int(outcome.kind));
        EXPECT_TRUE(swapped) << where;
        EXPECT_NE(outcome.kind, Kind::Failed) << where << " " << outcome.reason;
        EXPECT_EQ(Shell(script("test \"$(cat \"$OUT\")\" = outside", q)), 0) << where;
        if (moment != Step::Renamed && moment != Step::Copied) {
          EXPECT_EQ(Shell(script(swap.planted, q)), 0) << where;
        }
        const bool done = outcome.kind == Kind::Deleted || outcome.kind == Kind::Quarantined;
        EXPECT_EQ(Shell(script(holding, q)), (done ? 0 : 8) + (outcome.kind == Kind::Quarantined)) << where;
        // The name is checked again before it is renamed, and after: a swap at the name is always seen.
        if (moment == std::nullopt || moment == Step::Opened) {
          EXPECT_FALSE(done) << where;
        }
      }
    }
  }
  Shell(script("rm -rf \"$T\" \"$Q\"", quarantines[1]));
}

}  // namespace
}  // namespace tarvex
