#include "scan/heuristics.h"

#include <gtest/gtest.h>

namespace tarvex::heuristics {
namespace {

using sys::kAttrDirectory;
using sys::kAttrHidden;
using sys::kAttrSystem;

const std::string kMz = "MZ\x90";

TEST(Heuristics, FolderTwinNeedsAProgramBesideAHiddenFolderOfItsName) {
  const std::vector<sys::DirEntry> folder = {{"Tugas", kAttrDirectory | kAttrHidden | kAttrSystem},
                                             {"Foto Liburan", kAttrDirectory | kAttrHidden},
                                             {"Musik", kAttrDirectory},
                                             {"Catatan", kAttrHidden}};
  struct Case {
    const char* name;
    std::string head;
    std::optional<std::string_view> found;
  } cases[] = {
      {"Tugas.exe", kMz, kFolderTwin},
      {"tUGAS.EXE", kMz, kFolderTwin},
      {"Foto Liburan.scr", kMz, kFolderTwin},
      {"Foto Liburan.COM", kMz, kFolderTwin},
      {"tugas.pif", kMz, kFolderTwin},
      {"Tugas.exe", "PK\x03\x04", std::nullopt},  // not a program by content
      {"Tugas.bat", kMz, std::nullopt},
      {"Tugas.exe.txt", kMz, std::nullopt},
      {"Musik.exe", kMz, std::nullopt},           // the folder of its name is visible
      {"Catatan.exe", kMz, std::nullopt},         // a hidden file, not a folder
      {"Arsip.exe", kMz, std::nullopt},           // no folder of its name at all
      {".exe", kMz, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FileHeuristic(c.name, c.head, folder), c.found) << c.name;
}

TEST(Heuristics, DoubleExtensionIsADocumentNameBeforeAProgramExtension) {
  struct Case {
    const char* name;
    std::string head;
    bool found;
  } cases[] = {
      {"foto.jpg.exe", kMz, true},
      {"lagu.mp3.scr", kMz, true},
      {"tugas.doc      .exe", kMz, true},
      {"LAPORAN.PDF.PIF", kMz, true},
      {"video.3gp.com", kMz, true},
      {"data.xlsx .exe", kMz, true},
      {"catatan.txt.exe", "plain text", false},  // named like one, not a program
      {"setup.exe", kMz, false},
      {"foto.jpg", kMz, false},
      {"fotojpg.exe", kMz, false},
      {"arsip.zip.exe", kMz, false},
      {"foto.jpg.exe.bak", kMz, false},
      {"foto.jpg.exe", "M", false},
  };
  const std::vector<sys::DirEntry> nothingBeside;
  for (const Case& c : cases) {
    EXPECT_EQ(FileHeuristic(c.name, c.head, nothingBeside) == std::optional<std::string_view>(kDoubleExt), c.found)
        << c.name;
  }
}

TEST(Heuristics, AutorunThatStartsAProgram) {
  struct Case {
    const char* what;
    std::string content;
    bool found;
  } cases[] = {
      {"open", "[autorun]\r\nopen=virus.exe\r\n", true},
      {"shellexecute", "[AutoRun]\nShellExecute = RECYCLER\\x.exe\n", true},
      {"spaces and case", "  [ AUTORUN ]  \r\n\t OPEN \t=  \"run me.exe\" ; hi\r\n", true},
      {"after other sections", "[Content]\nMusicFiles=false\n\n[autorun]\nicon=a.ico\nopen=a.exe", true},
      {"utf-16", std::string("\xFF\xFE[\0a\0u\0t\0o\0r\0u\0n\0]\0\n\0o\0p\0e\0n\0=\0x\0", 34), true},
      {"utf-8 mark", "\xEF\xBB\xBF[autorun]\nopen=x.exe", true},
      {"icon and label only", "[autorun]\nicon=drive.ico\nlabel=DATA\n", false},
      {"empty value", "[autorun]\nopen=\nshellexecute=   \r\n", false},
      {"quoted nothing", "[autorun]\nopen=\"\"\n", false},
      {"comment value", "[autorun]\nopen= ; later\n", false},
      {"commented out", "[autorun]\n;open=virus.exe\n", false},
      {"platform section", "[autorun.amd64]\nopen=x.exe\n", true},
      {"other section", "[autorunx]\nopen=x.exe\n[Content]\nopen=x.exe\n", false},
      {"no section", "open=virus.exe\n", false},
      {"key lookalike", "[autorun]\nopened=x.exe\nshell\\open\\command\n", false},
      {"empty file", "", false},
  };
  for (const Case& c : cases) EXPECT_EQ(AutorunStartsProgram(c.content), c.found) << c.what;
  EXPECT_TRUE(IsAutorunName("AutoRun.INF"));
  EXPECT_FALSE(IsAutorunName("autorun.inf.txt"));
}

}  // namespace
}  // namespace tarvex::heuristics
