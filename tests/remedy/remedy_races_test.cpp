// The remedy on real files, with someone else changing them between its steps
// (the file system's seam): a clean file put in the found file's place, the
// found file moved aside with a link to it at its name, a link to a file
// outside the tree, a pipe, the folder swapped for a link to where it went.
// Whatever the moment, what was put there and everything outside the tree
// stay as they were, and the outcome never claims a change the found file did
// not undergo.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#ifdef _WIN32
#include "support/host_shell_win32.h"
#else
#include <sys/stat.h>
#endif

#include "remedy/remedy.h"
#include "signatures/temp_files.h"
#include "support/file_content.h"
#include "support/fixed_clock.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using Kind = RemedyOutcome::Kind;
using Step = sys::ChangeStep;

// The files holding `bytes` below `folder`, no link followed (wine shows a
// link as the file it leads to, and a pipe as an empty file: the host counts).
int Holding(const fs::path& folder, const std::string& bytes) {
#ifdef _WIN32
  return testing::HostShell("exit $(find '" + testing::HostPath(folder.string()) + "' -type f -size " +
                            std::to_string(bytes.size()) + "c -exec grep -qx '" + bytes + "' {} \\; -print | wc -l)");
#else
  int n = 0;
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::end(it); it.increment(ec))
    n += it->is_regular_file() && !it->is_symlink() && testing::FileContent(it->path()) == bytes;
  return n;
#endif
}

// What only the host makes or removes, under wine through its shell: a link
// (a relative one as given), a pipe.
void Host(const std::string& command, const fs::path& a, const fs::path& b = {}) {
#ifdef _WIN32
  const auto host = [](const fs::path& p) { return p.is_relative() ? p.generic_string() : testing::HostPath(p.string()); };
  testing::HostShell(command + " '" + host(a) + "'" + (b.empty() ? "" : " '" + host(b) + "'"));
#else
  if (command == "mkfifo") mkfifo(a.c_str(), 0600);
  if (command == "ln -s") fs::create_symlink(a, b);
  if (command == "rm -rf") fs::remove_all(a), fs::remove_all(b);
#endif
}

// The found file goes aside, if it is still at its name (not once it is at its private one).
void Aside(const fs::path& found) {
  std::error_code ec;
  fs::rename(found, found.string() + ".aside", ec);
}

// Whether a link (test's "-L") or a pipe ("-p") lies at the name, as the host sees it.
bool Planted(const char* kind, const fs::path& at) {
#ifdef _WIN32
  return testing::HostShell(std::string("test ") + kind + " '" + testing::HostPath(at.string()) + "'") == 0;
#else
  return std::string(kind) == "-L" ? fs::is_symlink(at) : fs::is_fifo(fs::symlink_status(at));
#endif
}

struct Swap {
  const char* what;
  void (*apply)(const fs::path& found, const fs::path& outside);
  // What must still be at the found name afterwards.
  bool (*planted)(const fs::path& found);
};

const Swap kSwaps[] = {
    {"a clean file in its place", [](const fs::path& f, const fs::path&) {
       Aside(f);
       std::ofstream(f, std::ios::binary) << "clean";
     }, [](const fs::path& f) { return testing::FileContent(f) == "clean"; }},
    {"a link to the found file itself", [](const fs::path& f, const fs::path&) {
       Aside(f);
       Host("ln -s", f.filename().string() + ".aside", f);
     }, [](const fs::path& f) { return Planted("-L", f); }},
    {"a link to a file outside", [](const fs::path& f, const fs::path& outside) {
       Aside(f);
       Host("ln -s", outside, f);
     }, [](const fs::path& f) { return Planted("-L", f); }},
    {"a pipe", [](const fs::path& f, const fs::path&) {
       Aside(f);
       Host("mkfifo", f);
     }, [](const fs::path& f) { return Planted("-p", f); }},
    {"the folder for a link to where it went", [](const fs::path& f, const fs::path&) {
       fs::rename(f.parent_path(), f.parent_path().string() + "2");
       Host("ln -s", f.parent_path().filename().string() + "2", f.parent_path());
     }, [](const fs::path& f) { return Planted("-L", f.parent_path()); }},
};

// Before the remedy starts: what happens between the scan and the click.
constexpr std::optional<Step> kMoments[] = {std::nullopt, Step::Opened, Step::Renamed, Step::Copied};

TEST(RemedyRaces, NothingButTheFoundFileIsEverTouched) {
  testing::TempFolder tmp;
  const fs::path tree = fs::path(tmp.Folder()) / "tree", found = tree / "sub" / "virus.exe",
                 outside = fs::path(tmp.Folder()) / "outside.exe";
  // A quarantine on another disk where there is one: the move is then a copy.
#ifdef _WIN32
  const fs::path otherDisk = "Z:\\dev\\shm";
#else
  const fs::path otherDisk = "/dev/shm";
#endif
  const fs::path quarantines[] = {fs::path(tmp.Folder()) / "q", otherDisk / ("tarvex_q_" + tree.parent_path().filename().string())};
  testing::FixedClock clock;
  for (const Swap& swap : kSwaps) {
    for (const std::optional<Step> moment : kMoments) {
      for (int action = 0; action < 3; ++action) {
        const fs::path& q = quarantines[action == 2];
        // Only a move to another disk copies.
        if ((action == 2 && !fs::is_directory(otherDisk)) || (moment == Step::Copied && action != 2)) continue;
        Host("rm -rf", tree, q);  // wine removes no pipe
        fs::create_directories(found.parent_path());
        fs::create_directories(q);
        std::ofstream(found, std::ios::binary) << "virus";
        std::ofstream(outside, std::ios::binary) << "outside";
        bool swapped = false;
        auto at = [&](Step step) {
          if (!swapped && moment == step) swap.apply(found, outside);
          swapped = swapped || moment == step;
        };
        const std::unique_ptr<sys::FileSystem> files = sys::SystemFileSystemWithSeam(at);
        Remedy remedy({*files, clock, [](const std::string&) {}});
        Quarantine quarantine(q.string(), *files, clock);
        const Detection detection{found.string(), "Test.Virus", 5, "", files->Identify(found.string())};
        if (!moment) swap.apply(found, outside), swapped = true;
        const RemedyOutcome outcome = remedy.Apply(detection, action ? RemedyAction::Quarantine : RemedyAction::Delete, quarantine);

        const std::string where = std::string(swap.what) + ", step " + std::to_string(moment ? int(*moment) : -1) +
                                  ", action " + std::to_string(action) + ": outcome " + std::to_string(int(outcome.kind));
        EXPECT_TRUE(swapped) << where;
        EXPECT_NE(outcome.kind, Kind::Failed) << where << " " << outcome.reason;
        EXPECT_EQ(testing::FileContent(outside), "outside") << where;
        if (moment != Step::Renamed && moment != Step::Copied) EXPECT_TRUE(swap.planted(found)) << where;
        const bool done = outcome.kind == Kind::Deleted || outcome.kind == Kind::Quarantined;
        EXPECT_EQ(Holding(tree, "virus"), done ? 0 : 1) << where;
        EXPECT_EQ(Holding(q, "virus"), outcome.kind == Kind::Quarantined ? 1 : 0) << where;
        // The name is checked again before it is renamed, and after: a swap at the name is always seen.
        if (moment == std::nullopt || moment == Step::Opened) EXPECT_FALSE(done) << where;
      }
    }
  }
  Host("rm -rf", tree, quarantines[1]);
}

}  // namespace
}  // namespace tarvex
