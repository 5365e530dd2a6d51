#include "signatures/kumpulan_fungsi.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "temp_files.h"

namespace tarvex {
namespace {

TEST(FileTypeByName, LastFourCharactersInAnyCase) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"setup.exe", "Application"},
      {"SETUP.EXE", "Application"},
      {"C:\\Temp\\Setup.Exe", "Application"},
      {".exe", "Application"},
      {"EXE", "Tak diketahui."},
      {"", "Tak diketahui."},
      {"saver.scr", "Screen Saver"},
      {"run.bat", "MS DOS Batch File"},
      {"photo.jpg", "Image"},
      {"photo.jpeg", "Tak diketahui."},
      {"x.bmp", "Image"},
      {"x.GIF", "Image"},
      {"book.xls", "Ms Excel Document"},
      {"paper.pdf", "Adobe Acrobat Document"},
      {"help.hlp", "Help File"},
      {"letter.doc", "Ms Word Document"},
      {"letter.docx", "Tak diketahui."},
      {"notes.rtf", "Rich Text Format"},
      {"movie.swf", "Flash Movie"},
      {"movie.fla", "Flash Document"},
      {"readme.txt", "Text Document"},
      {"lib.dll", "Dynamic Link Library"},
      {"page.html", "HTML Document"},
      {"PAGE.XHTML", "HTML Document"},
      {"page.htm", "Tak diketahui."},
      {"pack.zip", "Compressed"},
      {"exe", "Tak diketahui."},
      {"archive.exe.bak", "Tak diketahui."},
  };
  for (const auto& [name, type] : cases) EXPECT_EQ(FileTypeOf(name), type) << name;
}

class DetectionTest : public ::testing::Test {
 protected:
  std::string File(const std::string& bytes) {
    std::string name = std::to_string(n_++);
    name.insert(0, 1, 'f');
    name.append(".exe");
    return dir_.Write(name, bytes);
  }
  testing::TempFolder dir_;
  int n_ = 0;
};

// The marks as the tables describe them, spelled out here byte by byte.
const std::string kMew("\0\0\0MEW", 6);
const std::string kUpx("UPX!\x0c\x09", 6);
const std::string kAspack("\xc0.aspack\0", 9);
const std::string kPeCompact("\x89\x08PECompact", 11);
const std::string kVb6("\0\0\0MSVBVM60.DLL\0\0\0", 18);
const std::string kDelphi("W\0e\0d\0\x03\0T\0h\0u\0\x03\0F\0r\0i\0\x03\0S\0a\0t", 29);
const std::string kVcpp(std::string(4, '\0') + "Microsoft Visual C++ Runtime");

TEST_F(DetectionTest, EachPackerMarkAnywhereInTheFile) {
  std::string pad(300, 'x');
  EXPECT_EQ(DetectPacker(File(pad + kMew)), "MEW");
  EXPECT_EQ(DetectPacker(File(pad + kUpx)), "UPX");
  EXPECT_EQ(DetectPacker(File(kAspack + pad)), "Aspack");
  EXPECT_EQ(DetectPacker(File(pad + kPeCompact + pad)), "PECompact");
}

TEST_F(DetectionTest, FirstPackerInTableOrderWins) {
  EXPECT_EQ(DetectPacker(File(kUpx + "...." + kMew)), "MEW");
  EXPECT_EQ(DetectPacker(File(kPeCompact + kAspack)), "Aspack");
}

TEST_F(DetectionTest, EachCompilerMarkAndTheirOrder) {
  std::string pad(100, '\x90');
  EXPECT_EQ(DetectCompiler(File(pad + kVb6)), "MS Visual Basic 6.0");
  EXPECT_EQ(DetectCompiler(File(pad + kDelphi)), "Borland Delphi 7");
  EXPECT_EQ(DetectCompiler(File(kVcpp)), "MS Visual C++");
  EXPECT_EQ(DetectCompiler(File(kVcpp + kDelphi + kVb6)), "MS Visual Basic 6.0");
}

TEST_F(DetectionTest, NoMarkGivesTheFallbacks) {
  std::string plain = "MZ" + std::string(2000, '\0') + "This program cannot be run in DOS mode.";
  // Near misses: UPX! without 0C 09, MEW without the three zero bytes.
  plain += "UPX!\x0c\x0a MEW";
  EXPECT_EQ(DetectPacker(File(plain)), "Tiada");
  EXPECT_EQ(DetectCompiler(File(plain)), "Tak Diketahui");
  EXPECT_EQ(DetectPacker(File("")), "Tiada");
  EXPECT_EQ(DetectCompiler(File("")), "Tak Diketahui");
}

TEST_F(DetectionTest, UnreadableFileIsReportedToTheCaller) {
  EXPECT_EQ(DetectPacker(dir_.Path("missing.exe")), std::nullopt);
  EXPECT_EQ(DetectCompiler(dir_.Path("missing.exe")), std::nullopt);
  EXPECT_EQ(DetectPacker(dir_.Folder()), std::nullopt);
}

}  // namespace
}  // namespace tarvex
