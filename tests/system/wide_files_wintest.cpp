// The file layer against real files whose names or depth the classic ANSI
// paths cannot reach.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "support/temp_tree_win32.h"
#include "system/files.h"
#include "system/shell.h"

namespace tarvex::sys {
namespace {

using testing::TempTree;

std::map<std::string, std::string> ReadAll(const std::string& folder) {
  std::map<std::string, std::string> out;
  for (const DirEntry& e : ListDirectory(folder + "\\*.*", 39)) {
    std::optional<std::vector<unsigned char>> bytes = ReadWholeFile(folder + "\\" + e.name);
    out[e.name] = bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
    EXPECT_EQ(FileLength(folder + "\\" + e.name), static_cast<std::int64_t>(out[e.name].size())) << e.name;
  }
  return out;
}

TEST(WideFiles, EveryNameIsListedAndReadAsItIs) {
  TempTree tree("wide");
  const std::string deep = std::string(100, 'a') + "\\" + std::string(100, 'b') + "\\" + std::string(100, 'c');
  const std::map<std::string, std::string> files = {
      {"café.com", "1"}, {"вирус.com", "2"}, {"病毒.com", "3"},   {"😈.com", "4"},
      {"a一.com", "5"},  {"a丁.com", "6"},   {"trailing.com.", "7"}, {"space.com ", "8"},
      {"con.com", "9"},  {"aux", "A"},  // device names to the classic paths
  };
  for (const auto& [name, content] : files) {
    HANDLE h = CreateFileW(TempTree::Wide(tree.Path(name)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
    DWORD written = 0;
    WriteFile(h, content.data(), 1, &written, nullptr);
    CloseHandle(h);
  }
  EXPECT_EQ(ReadAll(tree.Root()), files);

  tree.Write(deep + "\\deep.com", "deep");
  ASSERT_GT(tree.Path(deep).size(), 300u);
  EXPECT_EQ(FileAttributes(tree.Path(deep)), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(ReadAll(tree.Path(deep)), (std::map<std::string, std::string>{{"deep.com", "deep"}}));
  EXPECT_TRUE(VisibleFileExists(tree.Path(deep + "\\deep.com")));
  EXPECT_TRUE(VisibleFileExists(tree.Path("вирус.com")));
}

TEST(WideFiles, PathsThatAreNotUtf8AreRefusedNotPassedOn) {
  TempTree tree("ansi");
  tree.Write("café.com", "x");
  const std::string ansi = tree.Path("caf\xE9.com");  // the same name in the Western code page
  EXPECT_FALSE(FileAttributes(ansi).has_value());
  EXPECT_FALSE(FileLength(ansi).has_value());
  EXPECT_FALSE(ReadWholeFile(ansi).has_value());
  EXPECT_TRUE(ListDirectory(tree.Path("caf\xE9*"), 39).empty());
}

TEST(WideFiles, PathsInTheClassicFormsStillWork) {
  TempTree tree("forms");
  tree.Write("sub\\file.txt", "abc");
  std::string forward = tree.Root() + "/sub/file.txt";
  std::string doubled = tree.Root() + "\\\\sub\\\\file.txt";
  std::string dotted = tree.Root() + "\\sub\\..\\sub\\.\\file.txt";
  for (const std::string& path : {forward, doubled, dotted}) EXPECT_EQ(FileLength(path), 3) << path;
  EXPECT_EQ(ListDirectory(tree.Root() + "\\sub\\", 0).size(), 1u) << "a trailing separator lists the folder";
}

// The batch file beside a program installed in a folder named in another
// script is started by the shell all the same.
TEST(WideShell, OpensAFileByItsUtf8Path) {
  TempTree tree("shell");
  const std::string batch = tree.Write("Папка 病毒\\FileRecover.bat", "@echo ran> \"%~dp0ran.txt\"\r\n");
  ShellOpen(nullptr, batch);
  for (int i = 0; i < 200 && !tree.Exists("Папка 病毒\\ran.txt"); ++i) Sleep(50);
  EXPECT_TRUE(tree.Exists("Папка 病毒\\ran.txt"));
}

}  // namespace
}  // namespace tarvex::sys
