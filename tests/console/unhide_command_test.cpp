#include "console/unhide_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "support/fake_console.h"

namespace tarvex::console {
namespace {

using ::testing::HasSubstr;
using Kind = sys::FinalPath::Kind;
constexpr std::uint32_t kDir = sys::kAttrDirectory, kH = sys::kAttrHidden, kS = sys::kAttrSystem, kR = sys::kAttrReadOnly;

// "E:/a/b" in the build's own separator.
std::string P(std::string path) {
  for (char& c : path) c = c == '/' ? sys::kPathSeparator : c;
  return path;
}

// Folders by their path with a separator at the end; a drive root is "X:" and one.
class FakeAttributeFiles : public sys::AttributeFiles {
 public:
  std::vector<sys::DirEntry> Entries(const std::string& folder) override {
    return tree[folder.back() == sys::kPathSeparator ? folder : folder + sys::kPathSeparator];
  }
  bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
    if (path.ends_with("locked.txt")) return false;
    set[path] = attributes;
    return true;
  }
  bool IsVolumeRoot(const std::string& folder) override { return folder.size() <= 3; }

  std::map<std::string, std::vector<sys::DirEntry>> tree;
  std::map<std::string, std::uint32_t> set;
};

struct UnhideRun { int status; std::string out, err; };

// A folder below `given` leads to itself; C:, D:, Z: are fixed drives, the rest removable.
UnhideRun Unhide(const std::string& given, sys::FinalPath resolved, FakeAttributeFiles& files) {
  testing::FakeConsole io;
  const sys::SystemFolders system = {.windows = "C:\\Windows",
                                     .programFiles = {"C:\\Program Files", "C:\\Program Files (x86)"},
                                     .programData = "C:\\ProgramData",
                                     .users = "C:\\Users",
                                     .profiles = {"C:\\Users\\Budi", "D:\\Profil\\Sari"}};
  auto resolve = [&](const std::string& path) { return path == given ? resolved : sys::FinalPath{Kind::Folder, path}; };
  auto driveType = [](const std::string& root) {
    return std::string("CDZ").find(root[0]) != std::string::npos ? sys::DriveType::Fixed : sys::DriveType::Removable;
  };
  UnhideServices services{resolve, [&] { return system; }, driveType, files};
  const int status = RunUnhide(given, io, services);
  return {status, io.out, io.err};
}

TEST(Unhide, RefusesTheSystemsFoldersByWhatAPathResolvesTo) {
  struct Case {
    std::string given;
    Kind kind;  // of the resolved path; not a FinalPath, which the 32-bit compiler warns about falsely here
    std::string path;
    int status;
    std::string says;
  } cases[] = {
      {"C:\\", Kind::Folder, "C:\\", 1, "refused: C:\\ is the root of the Windows drive"},
      {"T:\\", Kind::Folder, "c:", 1, "T:\\ (c:) is the root of the Windows drive"},
      {"\\\\?\\C:\\Windows", Kind::Folder, "C:\\WINDOWS", 1, "is the Windows folder"},
      {"x", Kind::Folder, "C:\\Windows\\System32\\drivers", 1, "is the Windows folder"},
      {"x", Kind::Folder, "C:/Program Files (x86)/", 1, "is a Program Files folder"},
      {"x", Kind::Folder, "c:\\programdata", 1, "is the ProgramData folder"},
      {"x", Kind::Folder, "C:\\Users\\", 1, "is the Users folder"},
      {"x", Kind::Folder, "D:\\Profil\\Sari", 1, "is a user's profile folder"},
      {"\\\\server\\C$", Kind::Missing, "", 1, "is an administrative share"},
      {"\\\\?\\UNC\\server\\C$", Kind::Missing, "", 1, "is an administrative share"},
      {"Z:\\", Kind::Folder, "Z:\\", 1, "refused: Z:\\ is the root of a fixed drive"},
      {"x", Kind::Folder, "D:\\", 1, "is the root of a fixed drive"},
      {"x", Kind::Folder, "\\\\server\\admin$\\System32", 1, "is an administrative share"},
      {"x", Kind::Unresolved, "", 1, "refused: cannot tell where x leads"},
      {"x", Kind::Missing, "", 2, "cannot find x"},
      {"x", Kind::File, "E:\\a.txt", 2, "is not a folder"},
      // Below what is refused only as itself, another drive's root, a look-alike.
      {"x", Kind::Folder, "C:\\Users\\Budi\\Documents", 0, ""},
      {"x", Kind::Folder, "R:\\", 0, ""},
      {"x", Kind::Folder, "D:\\Data", 0, ""},
      {"x", Kind::Folder, "C:\\Windowsx", 0, ""},
  };
  for (const Case& c : cases) {
    FakeAttributeFiles files;
    files.tree[c.path.ends_with(sys::kPathSeparator) ? c.path : c.path + sys::kPathSeparator] = {{"a.doc", kH}};
    const UnhideRun run = Unhide(c.given, {c.kind, c.path}, files);
    EXPECT_EQ(run.status, c.status) << c.given << " " << c.path << run.err;
    EXPECT_THAT(run.err, HasSubstr(c.says));
    EXPECT_EQ(files.set.size(), c.status == 0 ? 1u : 0u) << "nothing is changed when refused";
  }
}

TEST(Unhide, ClearsEveryDepthButWhatMustStayAndDoesNotFollowLinks) {
  FakeAttributeFiles files;
  files.tree[P("E:/")] = {{"System Volume Information", kDir | kH | kS}, {"$Recycle.Bin", kDir | kH | kS},
                          {"Tugas", kDir | kH | kS | kR},           {"desktop.ini", kH | kS},
                          {"link", kDir | sys::kAttrReparsePoint | kH}, {"readonly.doc", kR | sys::kAttrArchive},
                          {"locked.txt", kH},                          {"plain.txt", 0}};
  files.tree[P("E:/Tugas/")] = {{"bab1.doc", kH}, {"Thumbs.db", kH | kS}, {"RECYCLER", kDir | kH}};
  files.tree[P("E:/Tugas/RECYCLER/")] = {{"x.doc", kS}};
  files.tree[P("E:/link/")] = {{"never.txt", kH}};
  const UnhideRun run = Unhide("E:", {Kind::Folder, P("E:/")}, files);
  EXPECT_EQ(run.status, 0) << run.err;
  const std::map<std::string, std::uint32_t> cleared = {
      {P("E:/Tugas"), kDir},          {P("E:/link"), kDir | sys::kAttrReparsePoint}, {P("E:/readonly.doc"), sys::kAttrArchive},
      {P("E:/Tugas/bab1.doc"), 0u},   {P("E:/Tugas/RECYCLER"), kDir},                {P("E:/Tugas/RECYCLER/x.doc"), 0u}};
  EXPECT_EQ(files.set, cleared);
  EXPECT_EQ(run.out, "Unhiding E: (" + P("E:/") + ")\nbrought back: 4\ncould not change: 1\n");
}

// The loader worm's folder of a no-break space holds the user's files; a
// blank name deeper down, or with a letter in it, is no such folder.
TEST(Unhide, NamesTheBlankFoldersAtTheTopWithTheFilesTheyHold) {
  const std::string nbsp = "\xC2\xA0";
  FakeAttributeFiles files;
  files.tree[P("E:/")] = {{nbsp, kDir | kH | kS}, {" " + nbsp + " ", kDir}, {nbsp + "x", kDir}, {"desktop.ini", kH | kS}};
  files.tree[P("E:/") + nbsp + P("/")] = {{"a.doc", 0}, {"Tugas", kDir | kH}, {"desktop.ini", kH | kS}};
  files.tree[P("E:/") + nbsp + P("/Tugas/")] = {{"b.doc", kH}, {nbsp, kDir}};
  files.tree[P("E:/") + nbsp + P("/Tugas/") + nbsp + P("/")] = {{"c.doc", 0}};
  files.tree[P("E:/") + nbsp + "x" + P("/")] = {{"d.doc", 0}};
  const UnhideRun run = Unhide("E:", {Kind::Folder, P("E:/")}, files);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_THAT(run.out, HasSubstr("brought back: 3\ncould not change: 0\n"));
  EXPECT_THAT(run.out, HasSubstr("blank-named folder: 4 files in \"" + P("E:/") + nbsp + "\" (its name: 1 no-break space)\n"));
  EXPECT_THAT(run.out, HasSubstr("blank-named folder: 0 files in \"" + P("E:/") + " " + nbsp +
                                     " \" (its name: 1 no-break space and 2 spaces)\n"));
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 5) << run.out;
}

}  // namespace
}  // namespace tarvex::console
