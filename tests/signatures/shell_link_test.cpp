// The shortcut reader over the shortcuts wine's shell made for the cases of
// support/shortcut_stick.h (tests/signatures/shortcuts/): whole, cut short at
// every byte, and with a length or an offset set past the bytes there.
#include "signatures/shell_link.h"

#include <gtest/gtest.h>

#include "support/shortcut_stick.h"
#include "system/files.h"

namespace tarvex {
namespace {

std::string Fixture(const std::string& folder, const std::string& name) {
  const char sep = sys::kPathSeparator;
  const auto bytes = sys::ReadWholeFile(TARVEX_SHORTCUT_FIXTURES + (sep + folder) + sep + name);
  EXPECT_TRUE(bytes) << folder << sep << name;
  return bytes ? std::string(bytes->begin(), bytes->end()) : "";
}

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int width = 4) {
  for (int i = 0; i < width; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}
std::size_t Get16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// What the ANSI code page makes of a name it cannot spell: a '?' a character.
std::string AsAnsi(const std::string& utf8) {
  std::string out;
  for (unsigned char c : utf8) out += c < 0x80 ? std::string(1, static_cast<char>(c)) : c >= 0xC0 ? "?" : "";
  return out;
}

TEST(ShellLink, ReadsWhatTheShellWroteAndNothingOfAShortcutCutShort) {
  for (const testing::ShortcutCase& c : testing::ShortcutCases()) {
    for (const testing::StickShortcut& s : c.shortcuts) {
      SCOPED_TRACE(c.folder + "/" + s.name);
      const std::string bytes = Fixture(c.folder, s.name), folder = testing::kStickDrive + c.folder;
      const std::optional<ShellLink> link = ReadShellLink(bytes);
      ASSERT_TRUE(link);
      EXPECT_EQ(link->TargetPath(), testing::InCase(s.target, folder));
      EXPECT_EQ(link->idListPath, testing::InCase(s.target, folder));
      EXPECT_EQ(link->localBasePath + link->commonPathSuffix, AsAnsi(testing::InCase(s.target, folder)));
      EXPECT_EQ(link->arguments, s.arguments);
      EXPECT_EQ(link->workingDir, testing::InCase(s.workingDir, folder));
      EXPECT_EQ(link->iconLocation, s.folderIcon < 0 ? "" : "C:\\windows\\system32\\shell32.dll");
      // Cut anywhere but before its last, terminal block, a shortcut is none.
      for (std::size_t size = 0; size + 4 < bytes.size(); ++size) EXPECT_FALSE(ReadShellLink(bytes.substr(0, size)));
      EXPECT_EQ(ReadShellLink(bytes.substr(0, bytes.size() - 4)), link);
    }
  }
}

TEST(ShellLink, ALengthOrOffsetPastTheBytesMakesNoShortcut) {
  const std::string bytes = Fixture("cmd", "Tugas.lnk");
  const std::size_t idList = 0x4C, info = idList + 2 + Get16(bytes, idList), strings = info + Get16(bytes, info);
  const struct {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int width = 4;
  } cases[] = {{"header size", 0, 0x4D},           {"class identifier", 4, 0x00021402},
               {"ID list size", idList, 0xFFFF, 2}, {"first item's size", idList + 2, 0xFFFF, 2},
               {"an item of one byte", idList + 2, 1, 2}, {"link info size", info, 0xFFFFFFF0},
               {"link info below its header", info, 0x1B}, {"link info's header past it", info + 4, 0x200},
               {"local path's offset", info + 16, 0x1000}, {"path suffix's offset", info + 24, 0x1000},
               {"local path without its end", strings - 2, 0x7878, 2}, {"arguments' length", strings, 0x8000, 2}};
  ASSERT_TRUE(ReadShellLink(bytes));
  for (const auto& c : cases) {
    std::string damaged = bytes;
    Put(damaged, c.at, c.value, c.width);
    EXPECT_FALSE(ReadShellLink(damaged)) << c.what;
  }
  // A block that runs past the first 64 KiB, which are all that is read: the shortcut before it stands.
  std::string padded = bytes.substr(0, bytes.size() - 4) + std::string(70000, '\0');
  Put(padded, bytes.size() - 4, 69000);
  EXPECT_EQ(ReadShellLink(padded), ReadShellLink(bytes));
}

// Wine writes no environment-variables block: it is added here as Microsoft
// lays it out (0x314 bytes, signature 0xA0000001, the path in 260 ANSI bytes
// and 260 UTF-16 characters), in place of the terminal block.
TEST(ShellLink, TheEnvironmentBlockNamesTheTargetWhenNothingElseDoes) {
  const std::string bytes = Fixture("start-menu", "Notepad.lnk"), path = "%windir%\\notepad.exe";
  std::string block(0x314, '\0');
  Put(block, 0, 0x314);
  Put(block, 4, 0xA0000001);
  for (std::size_t i = 0; i < path.size(); ++i) block[8 + i] = block[8 + 260 + 2 * i] = path[i];
  std::string withBlock = bytes.substr(0, bytes.size() - 4) + block + std::string(4, '\0');
  EXPECT_EQ(ReadShellLink(withBlock)->environmentTarget, path);
  EXPECT_EQ(ReadShellLink(withBlock)->TargetPath(), "C:\\windows\\notepad.exe") << "the ID list comes first";
  EXPECT_FALSE(ReadShellLink(withBlock.substr(0, withBlock.size() - 100))) << "cut inside the block";
  withBlock[20] &= ~0x3;  // without the ID list and the link info
  withBlock.erase(0x4C, 2 + Get16(bytes, 0x4C) + Get16(bytes, 0x4E + Get16(bytes, 0x4C)));
  EXPECT_EQ(ReadShellLink(withBlock)->TargetPath(), path);
}

}  // namespace
}  // namespace tarvex
