// The shortcut reader over the shortcuts the system's shell made for the
// flash disk of support/shortcut_stick.h (tests/signatures/shortcuts/):
// whole, cut short at every byte, and damaged where a length or an offset
// may lie.
#include "signatures/shell_link.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/shortcut_stick.h"
#include "system/files.h"

namespace tarvex {
namespace {

using testing::ShortcutCases;

std::string FixturePath(const std::string& folder, const std::string& name) {
  const char sep = sys::kPathSeparator;
  return std::string(TARVEX_SHORTCUT_FIXTURES) + sep + folder + sep + name;
}

std::string Fixture(const std::string& folder, const std::string& name) {
  const std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(FixturePath(folder, name));
  EXPECT_TRUE(bytes) << folder << "/" << name;
  return bytes ? std::string(bytes->begin(), bytes->end()) : "";
}

// What the ANSI code page makes of a name it cannot spell: '?' for each character.
std::string AsAnsi(const std::string& utf8) {
  std::string out;
  for (unsigned char c : utf8) {
    if (c < 0x80) out += static_cast<char>(c);
    else if (c >= 0xC0) out += '?';
  }
  return out;
}

void Put32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}
std::uint16_t Get16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

TEST(ShellLink, ReadsWhatTheShellWroteIntoEveryShortcut) {
  for (const testing::ShortcutCase& c : ShortcutCases()) {
    for (const testing::StickShortcut& s : c.shortcuts) {
      SCOPED_TRACE(c.folder + "/" + s.name);
      const std::string caseFolder = testing::kStickDrive + c.folder;
      const std::string target = testing::InCase(s.target, caseFolder);
      const std::optional<ShellLink> link = ReadShellLink(Fixture(c.folder, s.name));
      ASSERT_TRUE(link);
      EXPECT_EQ(link->idListPath, target);
      EXPECT_EQ(link->localBasePath + link->commonPathSuffix, AsAnsi(target));
      EXPECT_EQ(link->TargetPath(), target);
      EXPECT_EQ(link->arguments, s.arguments);
      EXPECT_EQ(link->workingDir, testing::InCase(s.workingDir, caseFolder));
      EXPECT_EQ(link->iconLocation, s.icon);
      EXPECT_EQ(link->name, "");
      EXPECT_EQ(link->environmentTarget, "");
    }
  }
}

TEST(ShellLink, AShortcutCutShortIsNoneOrAllThatWasSavedBeforeItsExtraData) {
  for (const testing::ShortcutCase& c : ShortcutCases()) {
    for (const testing::StickShortcut& s : c.shortcuts) {
      const std::string bytes = Fixture(c.folder, s.name);
      const std::optional<ShellLink> whole = ReadShellLink(bytes);
      ASSERT_TRUE(whole);
      for (std::size_t size = 0; size < bytes.size(); ++size) {
        const std::optional<ShellLink> cut = ReadShellLink(bytes.substr(0, size));
        // Only the terminal block (4 bytes) may be missing.
        if (size + 4 == bytes.size()) EXPECT_EQ(cut, whole) << s.name;
        else EXPECT_FALSE(cut) << s.name << " cut to " << size;
      }
    }
  }
}

// The shell's shortcut to cmd.exe with arguments and an icon, a length or an
// offset in it set past the bytes that are there.
TEST(ShellLink, ALengthOrOffsetPastTheBytesMakesNoShortcut) {
  const std::string bytes = Fixture("cmd", "Tugas.lnk");
  const std::size_t idList = 0x4C, linkInfo = idList + 2 + Get16(bytes, idList);
  const std::size_t strings = linkInfo + Get16(bytes, linkInfo);
  const struct {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int width = 4;
  } cases[] = {
      {"header size", 0, 0x4D},
      {"class identifier", 4, 0x00021402},
      {"ID list size", idList, 0xFFFF, 2},
      {"first item's size", idList + 2, 0xFFFF, 2},
      {"an item of one byte", idList + 2, 1, 2},
      {"link info size", linkInfo, 0xFFFFFFF0},
      {"link info below its header", linkInfo, 0x1B},
      {"link info header past it", linkInfo + 4, 0x200},
      {"local path offset", linkInfo + 16, 0x1000},
      {"path suffix offset", linkInfo + 24, 0x1000},
      {"arguments' length", strings, 0x8000, 2},
  };
  ASSERT_TRUE(ReadShellLink(bytes));
  for (const auto& c : cases) {
    std::string damaged = bytes;
    Put32(damaged, c.at, c.width == 4 ? c.value : (c.value | (Get16(bytes, c.at + 2) << 16)));
    EXPECT_FALSE(ReadShellLink(damaged)) << c.what;
  }
  // A local path without its end: the link info's last bytes are its NULs.
  std::string unended = bytes;
  std::memset(&unended[linkInfo + Get16(bytes, linkInfo) - 2], 'x', 2);
  EXPECT_FALSE(ReadShellLink(unended));
}

// The block the system adds for a target written with a variable: wine does
// not write it, so it is added here as Microsoft lays it out (size 0x314,
// signature 0xA0000001, the path in 260 ANSI bytes and 260 UTF-16 characters).
TEST(ShellLink, TheEnvironmentBlockNamesTheTargetWhenNothingElseDoes) {
  std::string bytes = Fixture("start-menu", "Notepad.lnk");
  bytes.resize(bytes.size() - 4);  // the terminal block
  std::string block(0x314, '\0');
  Put32(block, 0, 0x314);
  Put32(block, 4, 0xA0000001);
  const std::string path = "%windir%\\notepad.exe";
  block.replace(8, path.size(), path);
  for (std::size_t i = 0; i < path.size(); ++i) block[8 + 260 + 2 * i] = path[i];
  const std::string withBlock = bytes + block + std::string(4, '\0');

  std::optional<ShellLink> link = ReadShellLink(withBlock);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->environmentTarget, path);
  EXPECT_EQ(link->TargetPath(), "C:\\windows\\notepad.exe") << "the ID list comes first";
  std::string bare = withBlock;
  bare[20] = static_cast<char>(bare[20] & ~0x3);  // neither ID list nor link info
  const std::size_t idListAndInfo = 2 + Get16(bytes, 0x4C) + Get16(bytes, 0x4E + Get16(bytes, 0x4C));
  bare.erase(0x4C, idListAndInfo);
  link = ReadShellLink(bare);
  ASSERT_TRUE(link);
  EXPECT_EQ(link->TargetPath(), path);
  EXPECT_FALSE(ReadShellLink(withBlock.substr(0, withBlock.size() - 100))) << "cut inside the block";
}

TEST(ShellLink, OnlyTheFirst64KiBAreRead) {
  std::string bytes = Fixture("cmd", "Tugas.lnk");
  const std::optional<ShellLink> whole = ReadShellLink(bytes);
  // A block that runs past the limit: what lies before it is the shortcut.
  std::string padded = bytes.substr(0, bytes.size() - 4) + std::string(100000, '\0');
  Put32(padded, bytes.size() - 4, 90000);
  EXPECT_EQ(ReadShellLink(padded), whole);
  // Arguments that end past the limit cannot be read.
  std::string longArguments = bytes;
  const std::size_t strings = 0x4E + Get16(bytes, 0x4C) + Get16(bytes, 0x4E + Get16(bytes, 0x4C));
  longArguments.insert(strings + 2, std::string(70000, 'a'));
  longArguments[strings] = static_cast<char>(0x80);  // 0x8080 characters, past 64 KiB
  longArguments[strings + 1] = static_cast<char>(0x80);
  EXPECT_FALSE(ReadShellLink(longArguments));
}

}  // namespace
}  // namespace tarvex
