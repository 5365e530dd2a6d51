// FileRecover.bat as the program ships it, run by the command interpreter on
// folders of files that a "virus" has hidden, and tarvex-scan.exe --unhide,
// which does the batch file's work, on every spelling of what it refuses.
#include <windows.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/command_run_win32.h"
#include "support/temp_tree_win32.h"

namespace tarvex {
namespace {

using testing::TempTree;

using testing::Beside;
using testing::Quoted;
using testing::RunCommand;
using BatchRun = testing::CommandRun;

// cmd /c FileRecover.bat [argument], with `answer` on its standard input.
BatchRun RunBatch(const std::string& argument, const std::string& answer = "") {
  const std::string batch = Quoted(Beside("FileRecover.bat"));
  return RunCommand(std::string("cmd.exe /c ").append(Quoted(argument.empty() ? batch : batch + " " + Quoted(argument))),
                    answer);
}

// A backslash before the closing quote doubled, or the program reads a quote.
BatchRun RunUnhide(const std::string& path) {
  const std::string exe = Quoted(Beside("tarvex-scan.exe"));
  return RunCommand(exe + " --unhide " + Quoted(path.ends_with('\\') ? path + "\\" : path), "");
}

// A junction at `link` to the folder `target` ("C:\..."), as mklink /j makes
// it; false where the system cannot make one. TempTree removes it as a link.
bool MakeJunction(const std::string& link, const std::string& target) {
  const std::wstring substitute = L"\\??\\" + sys::win32::Wide(target).value_or(L""), print = substitute.substr(4);
  // REPARSE_DATA_BUFFER's mount-point layout, which only the driver kit declares.
  const WORD nameBytes = static_cast<WORD>(substitute.size() * 2), printBytes = static_cast<WORD>(print.size() * 2);
  const WORD header[] = {static_cast<WORD>(8 + nameBytes + printBytes + 4), 0, 0, nameBytes,
                         static_cast<WORD>(nameBytes + 2), printBytes};
  std::vector<BYTE> buffer(4 + sizeof header + nameBytes + printBytes + 4);
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  std::memcpy(&buffer[0], &tag, 4);
  std::memcpy(&buffer[4], header, sizeof header);
  std::memcpy(&buffer[16], substitute.data(), nameBytes);
  std::memcpy(&buffer[16 + nameBytes + 2], print.data(), printBytes);
  const std::wstring path = TempTree::Wide(link);
  if (!CreateDirectoryW(path.c_str(), nullptr)) return false;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  DWORD returned = 0;
  const bool made = h != INVALID_HANDLE_VALUE && DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, buffer.data(),
                                                                 static_cast<DWORD>(buffer.size()), nullptr, 0,
                                                                 &returned, nullptr);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (!made) RemoveDirectoryW(path.c_str());
  return made;
}

constexpr DWORD kHiddenSystemReadOnly = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

TEST(FileRecover, BringsBackEverythingHiddenInTheFolderAndNothingElse) {
  TempTree usb("usb");
  TempTree elsewhere("elsewhere");
  const std::string untouched = elsewhere.Write("secret.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  struct Hidden {
    std::string path;
    DWORD attributes;
  };
  const Hidden hidden[] = {
      {usb.Write("laporan.doc", "report"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
      {usb.Write("foto & video (1)\\liburan.jpg", "jpeg"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY},
      {usb.Write("foto & video (1)\\dalam\\catatan.txt", "notes"), FILE_ATTRIBUTE_SYSTEM},
      {usb.Root() + "\\foto & video (1)", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
  };

  // The folder named on the command line, then typed in when asked.
  for (bool typed : {false, true}) {
    for (const Hidden& h : hidden) SetFileAttributesA(h.path.c_str(), h.attributes);
    BatchRun run = typed ? RunBatch("", usb.Root() + "\r\n") : RunBatch(usb.Root());
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("Selesai."), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("3 file dan folder tersembunyi sekarang tampil kembali"), std::string::npos)
        << run.output;
    for (const Hidden& h : hidden) {
      EXPECT_EQ(Attributes(h.path) & kHiddenSystemReadOnly, 0u) << h.path;
      EXPECT_EQ(Attributes(h.path) & FILE_ATTRIBUTE_DIRECTORY, h.attributes & FILE_ATTRIBUTE_DIRECTORY) << h.path;
    }
    EXPECT_EQ(Attributes(untouched) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN) << "outside the folder";
  }
}

TEST(FileRecover, RefusesTheWindowsDriveAndFolderAndWhatIsNotThere) {
  TempTree tree("refuse");
  const std::string marker = tree.Write("marker.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string drive = std::string(windows, 2);  // "C:"
  struct Case {
    std::string target;
    DWORD exitCode;
    const char* says;
  };
  const Case cases[] = {
      {drive + "\\", 1, "adalah drive atau folder Windows"},
      {drive, 1, "adalah drive atau folder Windows"},
      {windows, 1, "adalah drive atau folder Windows"},
      {std::string(windows) + "\\system32", 1, "adalah drive atau folder Windows"},
      {"\\\\?\\" + drive + "\\", 1, "adalah drive atau folder Windows"},
      {"\\\\?\\" + std::string(windows), 1, "adalah drive atau folder Windows"},
      {tree.Root() + "\\missing", 2, "tidak ditemukan"},
  };
  for (const Case& c : cases) {
    BatchRun run = RunBatch(c.target);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.target << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
  }
  EXPECT_EQ(Attributes(marker) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
}

TEST(FileRecover, TheUnhideRefusesEverySpellingOfTheSystemsFoldersAndChangesNothing) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  const std::string drive(windows, 2), win = windows, programs = std::getenv("ProgramFiles");
  const std::string profile = std::getenv("USERPROFILE");
  // Hidden markers where an unhide that went ahead would clear them first.
  const std::string marker = "\\tarvex_marker_" + std::to_string(GetCurrentProcessId());
  for (const std::string& folder : {drive, win}) {
    const DWORD created = FILE_ATTRIBUTE_HIDDEN;
    CloseHandle(CreateFileA((folder + marker).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, created, nullptr));
  }
  std::vector<std::string> spellings = {drive + "\\", drive + "\\.\\", win + "\\..", "\\\\?\\" + drive + "\\",
                                        "\\\\.\\" + drive + "\\", "\\\\?\\" + win, drive + "/", win + "\\system32\\drivers",
                                        programs, std::getenv("ProgramData"), profile, profile + "\\..",
                                        "\\\\localhost\\" + drive.substr(0, 1) + "$"};
  if (GetDriveTypeA("Z:\\") == DRIVE_FIXED) spellings.push_back("Z:\\");
  char shortName[MAX_PATH] = {};
  GetShortPathNameA(programs.c_str(), shortName, MAX_PATH);
  EXPECT_NE(programs, shortName) << "no 8.3 name to try";
  spellings.push_back(shortName);
  TempTree links("links");
  if (MakeJunction(links.Path("ke windows"), win)) spellings.push_back(links.Path("ke windows"));
  if (MakeJunction(links.Path("ke c"), drive + "\\")) spellings.push_back(links.Path("ke c"));
  if (DefineDosDeviceA(0, "Q:", windows)) spellings.push_back("Q:\\");  // as subst makes it

  for (const std::string& spelling : spellings) {
    BatchRun run = RunUnhide(spelling);
    EXPECT_EQ(run.exitCode, 1u) << spelling << "\n" << run.output;
    EXPECT_NE(run.output.find("tarvex-scan: refused: " + spelling), std::string::npos) << run.output;
  }
  DefineDosDeviceA(DDD_REMOVE_DEFINITION, "Q:", nullptr);
  // Under wine a drive on the prefix maps a parent of the Windows drive: walked, but never into it.
  std::string prefix = std::string("Z:") + (std::getenv("WINEPREFIX") ? std::getenv("WINEPREFIX") : "");
  for (char& c : prefix) c = c == '/' ? '\\' : c;
  if (prefix.size() > 2 && DefineDosDeviceA(0, "P:", prefix.c_str())) {
    BatchRun run = RunUnhide("P:\\");
    DefineDosDeviceA(DDD_REMOVE_DEFINITION, "P:", nullptr);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("\\drive_c (" + drive + "\\) is the root of the Windows drive"), std::string::npos);
  }
  // The links themselves, before the tree's removal could ever walk through them.
  for (const char* link : {"ke windows", "ke c"}) RemoveDirectoryW(TempTree::Wide(links.Path(link)).c_str());
  for (const std::string& folder : {drive, win}) {
    EXPECT_EQ(Attributes(folder + marker) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN) << folder;
    SetFileAttributesA((folder + marker).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + marker).c_str());
  }
}

}  // namespace
}  // namespace tarvex
