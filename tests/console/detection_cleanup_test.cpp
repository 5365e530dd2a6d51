// tarvex-scan --move and --remove on real files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <map>
#include <set>
#include <sstream>

#include "console/detection_cleanup.h"
#include "console/scan_command.h"
#include "signatures/temp_files.h"
#include "support/detection_samples.h"
#include "support/fake_console.h"
#include "support/fixed_clock.h"

namespace tarvex::console {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using ::testing::UnorderedElementsAre;
namespace fs = std::filesystem;

// The real files, except that nothing named "locked..." can be moved or removed.
class LockingFiles : public sys::FileSystem {
 public:
  std::optional<sys::FileIdentity> Identify(const std::string& path) override { return real_.Identify(path); }
  sys::CheckedOpen OpenChecked(const std::string& path, const sys::FileIdentity& id) override {
    if (fs::u8path(path).filename().string().starts_with("locked")) return {sys::ChangeResult::Failed, nullptr, "locked"};
    return real_.OpenChecked(path, id);
  }
  sys::ReachedFolder ReachFolder(const std::string& path, sys::FolderWay way) override { return real_.ReachFolder(path, way); }
  bool MakeFolder(const std::string& path) override { return real_.MakeFolder(path); }
  bool AppendText(const std::string& path, const std::string& text, bool ownLine) override {
    return real_.AppendText(path, text, ownLine);
  }
  sys::TextRead ReadText(const std::string& path, std::size_t limit) override { return real_.ReadText(path, limit); }
  std::vector<std::string> FileNames(const std::string& folder) override { return real_.FileNames(folder); }
  bool Gone(const std::string& path) override { return real_.Gone(path); }

 private:
  sys::FileSystem& real_ = sys::SystemFileSystem();
};

std::string Read(const std::string& path) {
  std::ifstream in(fs::u8path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class CleanupTest : public ::testing::Test {
 protected:
  CleanupTest() { io_.database = tmp_.Write("Tarvex.db", "6851CF3C:EICAR-Test-File\r\nSelesai:Selesai\r\n"); }
  std::string Tree() const { return tmp_.Path("usb") + sys::kPathSeparator; }
  std::string Dir() const { return Tree() + "karantina"; }
  std::string File(const std::string& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(fs::u8path(Tree() + folder));
    std::ofstream(fs::u8path(Tree() + folder + sys::kPathSeparator + name), std::ios::binary) << bytes;
    return Tree() + folder + sys::kPathSeparator + name;
  }
  // Every line printed, each parsed as JSON.
  std::vector<nlohmann::json> RunJson(std::vector<std::string> args, int status) {
    args.insert(args.begin(), "--json");
    std::vector<nlohmann::json> objects;
    for (const std::string& line : Run(args, status, false)) objects.push_back(nlohmann::json::parse(line));
    return objects;
  }
  // The lines printed; the summary is left out.
  std::vector<std::string> Run(std::vector<std::string> args, int status, bool scan = true) {
    io_.out.clear();
    io_.err.clear();
    if (scan) {
      args.insert(args.begin(), "--no-summary");
      args.push_back(Tree());
    }
    CleanupServices services{files_, clock_, [this](const std::string& path) { stopped_.push_back(path); },
                             SystemCleanupServices().finalPath};
    ConsoleServices system = SystemConsoleServices();
    // What happens right after the scan read a file.
    system.scan.engine.readFile = [this, read = system.scan.engine.readFile](const std::string& path, std::int64_t below,
                                                                              sys::FileBuffer& into) {
      const sys::FileRead done = read(path, below, into);
      if (afterRead_) afterRead_(path);
      return done;
    };
    EXPECT_EQ(RunScanCommand(args, io_, system, services), status) << io_.err;
    std::vector<std::string> lines;
    std::istringstream in(io_.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // A virus of the built-in table inside a larger file, 140 bytes and the tail after it.
  static std::string Infected(const std::string& tail) {
    return testing::VirusPatternBytes(2) + std::string(140, 'h') + tail;
  }

  testing::TempFolder tmp_;
  testing::FakeConsole io_;
  LockingFiles files_;
  testing::FixedClock clock_;
  std::vector<std::string> stopped_;
  std::function<void(const std::string& path)> afterRead_;
};

// Each row a fault of the console's clean-up and quarantine tasks that a
// plausible slip brings back, on folders of its own: true when the sound
// behaviour held.
TEST_F(CleanupTest, EachFaultOfTheConsoleIsCaught) {
  const std::string eicar = testing::kEicar, sep(1, sys::kPathSeparator);
  const std::string q = tmp_.Path("q"), into = tmp_.Path("back");
  std::ofstream(fs::u8path(File("x", "stray.exe", eicar).substr(0, Tree().size()) + "x" + sep + "plain.txt")) << "x";
  fs::create_directories(fs::u8path(q));
  std::ofstream(fs::u8path(q + sep + "tool.exe_vir2"), std::ios::binary) << "tool";
  const std::pair<const char*, std::function<bool()>> rows[] = {
      {"a file replaced right after the scan read it is changed since the scan, status 2", [&] {
         const std::string path = File("swap", "eicar.com", eicar);
         afterRead_ = [&](const std::string& read) {
           if (read != path) return;
           fs::rename(fs::u8path(path), fs::u8path(path + ".aside"));
           std::ofstream(fs::u8path(path)) << "the user's";
         };
         const auto lines = Run({"--no-summary", "--remove", Tree() + "swap"}, kError, false);
         afterRead_ = nullptr;
         return lines.size() == 1 && lines[0].ends_with("\tchanged since the scan") && Read(path) == "the user's";
       }},
      {"--move with a relative or linked DIR never moves a file already in DIR again", [&] {
         File("rel", "eicar.com", eicar);
         std::vector<std::string> dirs = {Tree() + "rel" + sep + ".." + sep + "rel" + sep + "q"};
#ifndef _WIN32
         dirs.push_back(fs::relative(Tree() + "rel/q").string());
         dirs.push_back(tmp_.Path("qlink"));
         fs::create_directories(Tree() + "rel/q");
         fs::create_directory_symlink(Tree() + "rel/q", dirs.back());
#endif
         bool kept = true;
         for (const std::string& dir : dirs) {
           Run({"--no-summary", "--move", dir, Tree() + "rel"}, kFound, false);
           const auto again = Run({"--no-summary", "--move", dir, Tree() + "rel"}, kFound, false);
           kept = kept && again.size() == 1 && again[0].find("\tleft in ") != std::string::npos;
         }
         return kept;
       }},
      {"JSON carries one U+FFFD per byte that is not UTF-8, and null as an unknown origin's id", [&] {
         const auto listed = RunJson({"--list-quarantine", "--quarantine", q}, kClean);
#ifndef _WIN32
         File("json", "a\xE2\x82\xFF.com", eicar);
         const auto found = RunJson({"--no-summary", Tree() + "json"}, kFound);
         if (found.at(0)["path"].get<std::string>() != Tree() + "json/a\uFFFD\uFFFD\uFFFD.com") return false;
#endif
         return listed.size() == 1 && listed[0]["id"].is_null();
       }},
      {"--quarantine names one folder with or without its separator, and no file", [&] {
         return Run({"--list-quarantine", "--quarantine", q + sep}, kClean, false) ==
                    Run({"--list-quarantine", "--quarantine", q}, kClean, false) &&
                Run({"--list-quarantine", "--quarantine", Tree() + "x" + sep + "plain.txt"}, kError, false).empty();
       }},
      {"--restore NAME --to DIR brings back a file of unknown origin", [&] {
         Run({"--restore", "tool.exe_vir2", "--to", into, "--quarantine", q}, kClean, false);
         return Read(into + sep + "tool.exe") == "tool";
       }},
#ifndef _WIN32
      {"--list-quarantine escapes a name's tab and line end", [&] {
         std::ofstream(q + "/a\tb\nc_vir") << "x";
         const auto lines = Run({"--list-quarantine", "--quarantine", q}, kClean, false);
         fs::remove(q + "/a\tb\nc_vir");
         return lines.size() == 1 && lines[0] == "-\ta%09b%0Ac_vir\t\tunknown origin\t";
       }},
      {"a manifest that is a pipe or leads to /dev/zero is refused: nothing is read, listed or moved", [&] {
         bool refused = true;
         for (int kind = 0; kind < 2; ++kind) {
           const std::string odd = tmp_.Path("odd" + std::to_string(kind)), manifest = odd + "/karantina.txt";
           fs::create_directories(odd);
           kind ? (void)mkfifo(manifest.c_str(), 0600) : fs::create_symlink("/dev/zero", manifest);
           File("odd" + std::to_string(kind), "eicar.com", eicar);
           refused = refused && Run({"--list-quarantine", "--quarantine", odd}, kError, false).empty() &&
                     Run({"--no-summary", "--move", odd, Tree() + "odd" + std::to_string(kind)}, kError, false)[0].ends_with("not moved");
         }
         return refused;
       }},
      {"a link in the tree is not followed; one named on the command line is, to where it leads", [&] {
         const std::string outside = tmp_.Write("outside.com", eicar);
         fs::create_directories(Tree() + "links");
         fs::create_symlink(outside, Tree() + "links/in.com");
         return Run({"--no-summary", Tree() + "links"}, kClean, false).empty() &&
                Run({"--no-summary", Tree() + "links/in.com"}, kFound, false) ==
                    std::vector<std::string>{fs::canonical(outside).string() + "\tEICAR-Test-File\t68\t"};
       }},
#endif
  };
  for (const auto& [fault, holds] : rows) EXPECT_TRUE(holds()) << fault;
}

TEST_F(CleanupTest, MoveKeepsTwinsWithTheirContentAndNeverMovesAFileTwice) {
  // Found by pattern, which looks at programs' names only, and by checksum, whatever the name.
  const std::string eicar = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";
  const std::map<std::string, std::string> content = {{File("a", "setup.exe", Infected("first")), Infected("first")},
                                                      {File("b", "setup.exe", Infected("second")), Infected("second")},
                                                      {File("c", "setup.exe", eicar), eicar}};
  const std::string into = Dir() + sys::kPathSeparator;
  std::set<std::string> targets;
  for (const std::string& line : Run({"--move", Dir()}, kFound)) {
    ASSERT_THAT(line, HasSubstr("\tmoved to " + into + "setup.exe_vir"));
    const std::string path = line.substr(0, line.find('\t')), target = line.substr(line.rfind('\t') + 10);
    EXPECT_EQ(Read(target), content.at(path)) << "moved unchanged";
    EXPECT_FALSE(fs::exists(fs::u8path(path)));
    targets.insert(target);
  }
  EXPECT_THAT(targets, ElementsAre(into + "setup.exe_vir", into + "setup.exe_vir2", into + "setup.exe_vir3"));
  EXPECT_EQ(stopped_.size(), 3u) << "a program running from each file is ended first";

  // DIR is inside the scanned tree: the next scan finds the moved files there and leaves them.
  EXPECT_THAT(Run({"--move", Dir()}, kFound), ElementsAre(HasSubstr("\tEICAR-Test-File\t68\t\tleft in " + into)));
  EXPECT_EQ(std::distance(fs::directory_iterator(fs::u8path(Dir())), {}), 3 + 1) << "the files and the manifest";
}

TEST_F(CleanupTest, AFileThatCannotBeMovedOrRemovedStaysNamedAndGivesStatus2) {
  struct Case {
    std::vector<std::string> args;
    const char *done, *notDone, *err;
  } cases[] = {
      {{"--move", Dir()}, "\tmoved to ", "\tnot moved", "tarvex-scan: could not move "},
      {{"--remove"}, "\tremoved", "\tnot removed", "tarvex-scan: could not remove "},
  };
  for (const Case& c : cases) {
    const std::string locked = File("x", "locked.exe", Infected("in use"));
    const std::string free = File("x", "zfree.exe", Infected("free"));
    EXPECT_THAT(Run(c.args, kError), UnorderedElementsAre(locked + "\tw32.Burmecia\t156\tFile Terinfeksi" + c.notDone,
                                                          HasSubstr(free + "\tw32.Burmecia\t154\tFile Terinfeksi" + c.done)));
    EXPECT_THAT(io_.err, StartsWith(c.err + locked + ": "));
    EXPECT_EQ(Read(locked), Infected("in use")) << "kept in its place";
    EXPECT_FALSE(fs::exists(fs::u8path(free)));
  }
}

TEST_F(CleanupTest, TwinsGoIntoTheQuarantineAndComeBackByNumberInJson) {
  const std::string eicar = testing::kEicar;
  const std::string a = File("a", "eicar.com", eicar), b = File("b", "eicar.com", eicar);
#ifdef _WIN32
  File("c", "\xd0\xb2\xd0\xb8\xd1\x80\xd1\x83\xd1\x81.exe", Infected("odd"));  // Cyrillic
#else
  File("c", "bad\xff\x01name.exe", Infected("odd"));  // no UTF-8: the line is still valid JSON
#endif
  const std::string q = tmp_.Path("q");
  EXPECT_THAT(Run({"--move", Tree()}, kError), ::testing::IsEmpty()) << "a folder that holds the scanned one";

  const std::vector<nlohmann::json> moved = RunJson({"--move", q, Tree()}, kFound);
  ASSERT_EQ(moved.size(), 4u);
  for (const nlohmann::json& line : moved) EXPECT_TRUE(line.value("outcome", "") == "moved" || line.contains("summary"));

  std::map<std::string, std::string> names;  // original path: name in the quarantine
  std::vector<std::string> ids;
  for (const nlohmann::json& entry : RunJson({"--list-quarantine", "--quarantine", q}, kClean)) {
    names[entry["original"]] = entry["name"];
    ids.push_back(std::to_string(entry["id"].get<int>()));
  }
  EXPECT_EQ(names.size(), 3u);
  EXPECT_EQ(std::set<std::string>({names[a], names[b]}), std::set<std::string>({"eicar.com_vir", "eicar.com_vir2"}));
  ids.insert(ids.end(), {"--restore", "--quarantine", q});
  for (const nlohmann::json& back : RunJson(ids, kClean)) EXPECT_TRUE(names.count(back["path"])) << back;
  EXPECT_EQ(Read(a), eicar);
  EXPECT_EQ(Read(b), eicar);
  EXPECT_THAT(RunJson({"--restore", "1", "--quarantine", q}, kError),
              ElementsAre(nlohmann::json({{"id", 1}, {"restored", false}, {"reason", "no such entry (see --list-quarantine)"}})));
}

}  // namespace
}  // namespace tarvex::console
