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
      {"LAPORAN.PDF.PIF", kMz, kDoubleExt}, {"video.3gp.com", kMz, kDoubleExt}, {"data.xlsx .exe", kMz, kDoubleExt},
      {"catatan.txt.exe", "plain text", {}}, {"foto.jpg.exe", "M", {}}, {"setup.exe", kMz, {}}, {"foto.jpg", kMz, {}},
      {"fotojpg.exe", kMz, {}}, {"arsip.zip.exe", kMz, {}}, {"foto.jpg.exe.bak", kMz, {}},
  };
  for (const FileCase& c : cases) EXPECT_EQ(FileHeuristic(c.name, c.head, {}), c.found) << c.name;
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
      {"platform section", "[autorun.amd64]\nopen=x.exe\n", true},
      {"utf-16", std::string("\xFF\xFE[\0a\0u\0t\0o\0r\0u\0n\0]\0\n\0o\0p\0e\0n\0=\0x\0", 34), true},
      {"utf-8 mark", "\xEF\xBB\xBF[autorun]\nopen=x.exe", true},
      {"icon and label only", "[autorun]\nicon=drive.ico\nlabel=DATA\n", false},
      {"empty values", "[autorun]\nopen=\nshellexecute=   \r\nopen=\"\"\nopen= ; later\n", false},
      {"commented out", "[autorun]\n;open=virus.exe\n", false},
      {"other sections", "[autorunx]\nopen=x.exe\n[Content]\nopen=x.exe\n", false},
      {"no section", "open=virus.exe\n", false},
      {"key look-alikes", "[autorun]\nopened=x.exe\nshell\\open\\command\n", false},
  };
  for (const Case& c : cases) EXPECT_EQ(AutorunStartsProgram(c.content), c.found) << c.what;
}

}  // namespace
}  // namespace tarvex::heuristics
