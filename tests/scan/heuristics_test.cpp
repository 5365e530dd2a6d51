#include "scan/heuristics.h"

#include <gtest/gtest.h>

namespace tarvex::heuristics {
namespace {

using sys::kAttrDirectory;
using sys::kAttrHidden;
const std::string kMz = "MZ\x90";

struct FileCase {
  const char* name;
  std::string head;
  std::optional<std::string_view> found;
};

TEST(Heuristics, FolderTwinIsAProgramBesideAHiddenFolderOfItsName) {
  const std::vector<sys::DirEntry> folder = {{"Tugas", kAttrDirectory | kAttrHidden | sys::kAttrSystem},
                                             {"Foto Liburan", kAttrDirectory | kAttrHidden},
                                             {"Musik", kAttrDirectory},
                                             {"Catatan", kAttrHidden}};
  const FileCase cases[] = {
      {"Tugas.exe", kMz, kFolderTwin}, {"tUGAS.EXE", kMz, kFolderTwin}, {"Foto Liburan.scr", kMz, kFolderTwin},
      {"Foto Liburan.COM", kMz, kFolderTwin}, {"tugas.pif", kMz, kFolderTwin}, {"Tugas.exe", "PK\x03\x04", {}},
      {"Tugas.bat", kMz, {}}, {"Tugas.exe.txt", kMz, {}}, {"Arsip.exe", kMz, {}}, {".exe", kMz, {}},
      {"Musik.exe", kMz, {}}, {"Catatan.exe", kMz, {}},  // a visible folder, a hidden file
  };
  for (const FileCase& c : cases) EXPECT_EQ(FileHeuristic(c.name, c.head, folder), c.found) << c.name;
}

TEST(Heuristics, DoubleExtensionIsADocumentNameBeforeAProgramExtension) {
  const FileCase cases[] = {
      {"foto.jpg.exe", kMz, kDoubleExt}, {"lagu.mp3.scr", kMz, kDoubleExt}, {"tugas.doc      .exe", kMz, kDoubleExt},
      {"LAPORAN.PDF.PIF", kMz, kDoubleExt}, {"video.mkv.com", kMz, kDoubleExt}, {"data.xlsx .exe", kMz, kDoubleExt},
      {"arsip.rar.exe", kMz, kDoubleExt}, {"Laporan 2011.01  .exe", kMz, kDoubleExt},
      {"catatan.txt.exe", "plain text", {}}, {"foto.jpg.exe", "M", {}}, {"setup.exe", kMz, {}}, {"foto.jpg", kMz, {}},
      {"fotojpg.exe", kMz, {}}, {"foto.jpg.exe.bak", kMz, {}}, {"YouTube.to.MP3.exe", kMz, {}},
      {"Setup 2.0.exe", kMz, {}}, {"Setup .exe", kMz, {}},
  };
  for (const FileCase& c : cases) EXPECT_EQ(FileHeuristic(c.name, c.head, {}), c.found) << c.name;
}

TEST(Heuristics, AutorunTargetsAreEveryProgramItStarts) {
  struct Case {
    const char* what;
    std::string content;
    std::vector<std::string> targets;
  } cases[] = {
      {"any verb, any section", "[x]\nSHELL\\Jelajahi\\Command=y.exe\n", {"y.exe"}},
      {"spaces, quotes, comments", "  [ AUTORUN ]  \r\n\t OPEN \t=  \"run me.exe\" ; hi\r\nopen=\"C:\\a b\\c.exe\" /s\n",
       {"run me.exe", "C:\\a b\\c.exe"}},
      {"unquoted spaces", "open=My Program.exe /s\nopen=setup\n", {"My Program.exe", "setup"}},
      {"utf-16", std::string("\xFF\xFE[\0a\0]\0\n\0o\0p\0e\0n\0=\0x\0", 22), {"x"}},
      {"utf-8 mark", "\xEF\xBB\xBF[autorun]\nopen=x.exe", {"x.exe"}},
      {"no program", "[autorun]\nicon=drive.ico\nlabel=DATA\nshell=open\nshell\\open=Buka\n;open=v.exe\n", {}},
      {"empty values", "[autorun]\nopen=\nshellexecute=   \r\nopen=\"\"\nopen= ; later\nshell\\\\command=x\n", {}},
      {"key look-alikes", "[autorun]\nopened=x.exe\nshell\\open\\commands=x.exe\n", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(AutorunTargets(c.content), c.targets) << c.what;
}

}  // namespace
}  // namespace tarvex::heuristics
