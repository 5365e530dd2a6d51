// Hapus and Karantina clicked in the real main window, on real files, with the
// real process guard and activity log. C:\Karantina is the test prefix's own.
#include <windows.h>
#include <winioctl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

#include "support/detection_samples.h"
#include "support/host_shell_win32.h"
#include "support/program_win32.h"
#include "support/running_program_win32.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"
#include "system/files.h"
#include "system/processes.h"

namespace tarvex {
namespace {

using ::testing::ElementsAre;
using testing::TempTree;
using A = Antivirus;

constexpr const char* kMoved = " virus telah dipindahkan ke folder 'C:\\Karantina\\' ...";

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class RemedyOnWine : public testing::ProgramTest {
 protected:
  void SetUp() override { StartProgram(); }
  void TearDown() override {
    for (const sys::DirEntry& e : sys::ListDirectory("C:\\Karantina\\" + tag_ + "*", 0x27)) {
      SetFileAttributesA(("C:\\Karantina\\" + e.name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(("C:\\Karantina\\" + e.name).c_str());
    }
    DeleteFileA("C:\\Karantina\\karantina.txt");
    RemoveDirectoryA("C:\\Karantina");
  }

  // A file name no other run leaves in quarantine.
  std::string Name(const std::string& name) const { return tag_ + name; }

  // The result list as a scan of the tree leaves it, the database naming
  // each of these files by its checksum.
  void List(const std::vector<std::string>& paths) {
    std::string db;
    for (const std::string& path : paths) db += testing::ChecksumOf(ReadBytes(path)) + ":Test.Virus\r\n";
    programFolder_.Write("Tarvex.db", db + "Selesai:Selesai\r\n");
    chosen_ = tree_.Root();
    Click(A::cmdScan);
    ASSERT_EQ(ListedPaths().size(), paths.size());
  }
  std::vector<std::string> ListedPaths() { return testing::ListColumn(Child(A::ListView1), 2); }

  const std::string tag_ = std::string("t").append(std::to_string(GetCurrentProcessId())).append("_");
  TempTree tree_{"infected"};
};

TEST_F(RemedyOnWine, ReadOnlyAndHiddenFilesAreDeleted) {
  List({tree_.Write("ro.exe", "virus", FILE_ATTRIBUTE_READONLY), tree_.Write("hidden.exe", "virus", FILE_ATTRIBUTE_HIDDEN),
        tree_.Write("all.exe", "virus", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)});
  Click(A::cmdHapus);
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Text(A::status), "3 virus telah dihapus...");
  for (const char* name : {"ro.exe", "hidden.exe", "all.exe"}) EXPECT_FALSE(Exists(tree_.Root() + "\\" + name));
}

// Same-named files from two folders, one read-only and one hidden, all bytes, after a manifest line cut short.
TEST_F(RemedyOnWine, QuarantinedFilesKeepEveryByteAndNeverOverwriteEachOther) {
  std::string bytes;
  for (int i = 0; i < 1024; ++i) bytes += static_cast<char>(i * 7);
  List({tree_.Write("a\\" + Name("setup.exe"), bytes + "a", FILE_ATTRIBUTE_READONLY),
        tree_.Write("b\\" + Name("setup.exe"), bytes + "b", FILE_ATTRIBUTE_HIDDEN)});
  CreateDirectoryA("C:\\Karantina", nullptr);
  std::ofstream("C:\\Karantina\\karantina.txt", std::ios::binary) << "karantina\tcut short";
  Click(A::cmdKarantina);
  EXPECT_EQ(ReadBytes("C:\\Karantina\\karantina.txt").substr(0, 31), "karantina\tcut short\r\nkarantina\t");
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Text(A::status), std::string("2") + kMoved);
  // The last row is handled first.
  EXPECT_EQ(ReadBytes("C:\\Karantina\\" + Name("setup.exe_vir")), bytes + "b");
  EXPECT_EQ(ReadBytes("C:\\Karantina\\" + Name("setup.exe_vir2")), bytes + "a");
  EXPECT_FALSE(Exists(tree_.Root() + "\\a\\" + Name("setup.exe")));
}

TEST_F(RemedyOnWine, FileHeldOpenWithoutDeleteSharingStaysListedAndUncounted) {
  for (int button : {A::cmdHapus, A::cmdKarantina}) {
    std::string held = tree_.Write(Name("held.exe"), "virus"), free = tree_.Write(Name("free.exe"), "virus");
    HANDLE h = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    List({held, free});
    Click(button);
    CloseHandle(h);

    EXPECT_THAT(ListedPaths(), ElementsAre(held));
    EXPECT_EQ(Text(A::lblJumlahVirus), "1");
    EXPECT_EQ(Text(A::status), button == A::cmdHapus ? "1 virus telah dihapus..." : std::string("1") + kMoved);
    EXPECT_EQ(ReadBytes(held), "virus");
    EXPECT_FALSE(Exists("C:\\Karantina\\" + Name("held.exe_vir")));
  }
}

TEST_F(RemedyOnWine, RowsOfFilesRemovedSinceTheScanLeaveTheListUncounted) {
  const std::string virus = testing::VirusPatternBytes(2) + std::string(140, 'h');
  for (int button : {A::cmdHapus, A::cmdKarantina}) {
    const std::string folder = button == A::cmdHapus ? "hapus" : "karantina";
    const std::string kept = tree_.Write(folder + "\\" + Name("a.exe"), virus);
    const std::string removed = tree_.Write(folder + "\\" + Name("b.exe"), virus);
    chosen_ = tree_.Root() + "\\" + folder;
    Click(A::cmdScan);
    ASSERT_EQ(ListedPaths().size(), 2u);
    ASSERT_TRUE(DeleteFileA(removed.c_str()));
    Click(button);
    EXPECT_TRUE(ListedPaths().empty());
    EXPECT_EQ(Text(A::lblJumlahVirus), "0");
    EXPECT_EQ(Text(A::status), button == A::cmdHapus ? "1 virus telah dihapus..." : std::string("1") + kMoved);
    EXPECT_FALSE(Exists(kept));
  }
}

TEST_F(RemedyOnWine, RunningInfectedProgramIsEndedThenDeleted) {
  std::string path = tree_.Write(Name("sleeper.exe"), ReadBytes(TARVEX_SLEEPER_PATH));
  List({path});  // before it runs: the scan would end it itself
  testing::RunningProgram program(path);
  ASSERT_TRUE(program.Started());
  // A new process shows its executable only after a moment.
  for (int i = 0; i < 100 && sys::SystemProcesses().ExecutablePath(program.Pid()) != path; ++i) Sleep(50);
  ASSERT_EQ(sys::SystemProcesses().ExecutablePath(program.Pid()), path);

  Click(A::cmdHapus);
  EXPECT_TRUE(program.EndsWithin(0));
  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(ListedPaths().empty());
  EXPECT_EQ(Text(A::status), "1 virus telah dihapus...");
}

TEST_F(RemedyOnWine, EmptyResultWritesTheLogLineAndMakesNoFolder) {
  ASSERT_FALSE(Exists("C:\\Karantina")) << "left over from an earlier run";
  Click(A::cmdHapus);
  EXPECT_EQ(Text(A::status), "Tak ada virus yang dihapus...");
  Click(A::cmdKarantina);
  EXPECT_EQ(Text(A::status), "Tak ada virus yang dikarantina...");
  EXPECT_FALSE(Exists("C:\\Karantina"));

  EXPECT_EQ(ReadBytes(programFolder_.Root() + "\\Logs\\31_10_2011.txt"),
            "[09:00:00] hapus virus\r\n[09:00:00] karantina\r\n");
}

TEST_F(RemedyOnWine, UnwritableLogFolderLosesTheEntryAndTheActionStillRuns) {
  std::string inTheWay = programFolder_.Write("Logs", "a file where the folder should be");
  std::string path = tree_.Write(Name("virus.exe"), "virus");
  List({path});
  Click(A::cmdHapus);
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ(Text(A::status), "1 virus telah dihapus...");
  EXPECT_EQ(ReadBytes(inTheWay), "a file where the folder should be");
}

// A Linux link in the tree, which wine's listing shows as the file it leads
// to: neither Hapus nor Karantina touches that file outside, nor the link.
TEST_F(RemedyOnWine, AFileLinkInTheTreeLeadsNothingOutOfIt) {
  const std::string outside = programFolder_.Write(Name("outside.com"), testing::kEicar), link = tree_.Path(Name("link.com"));
  struct Unlink {  // wine's DeleteFile would go where the link leads
    std::string link;
    ~Unlink() { testing::HostShell("rm -f '" + link + "'"); }
  } unlink{testing::HostPath(link)};
  ASSERT_EQ(testing::HostShell("ln -s '" + testing::HostPath(outside) + "' '" + unlink.link + "'"), 0);
  List({link});
  for (int button : {A::cmdHapus, A::cmdKarantina}) Click(button);
  EXPECT_THAT(ListedPaths(), ElementsAre(link)) << "changed since the scan";
  EXPECT_EQ(ReadBytes(outside), testing::kEicar);
  EXPECT_EQ(testing::HostShell("test -L '" + unlink.link + "'"), 0);
}

// What the system's mount manager hears when a medium comes into a drive
// (wine's own definition of a drive on the host's folder): the volume is read
// afresh, its serial number with it; waited for until `file` shows `serial`.
void Announce(wchar_t drive, const std::string& hostFolder, const wchar_t* file, DWORD serial) {
  struct Definition {
    ULONG size, type, fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset, deviceOffset, labelOffset;
  };
  std::string buffer(sizeof(Definition) + hostFolder.size() + 1, '\0');
  auto* d = reinterpret_cast<Definition*>(buffer.data());
  *d = {static_cast<ULONG>(buffer.size()), DRIVE_REMOVABLE, 0, 0, 0, drive, sizeof(Definition), 0, 0};
  buffer.replace(sizeof(Definition), hostFolder.size(), hostFolder);
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
  DWORD got = 0;
  const DWORD define = CTL_CODE('m', 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
  EXPECT_TRUE(DeviceIoControl(manager, define, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr, 0, &got, nullptr));
  CloseHandle(manager);
  BY_HANDLE_FILE_INFORMATION info{};
  for (int tries = 0; tries < 100 && info.dwVolumeSerialNumber != serial; ++tries, Sleep(50)) {
    HANDLE h = CreateFileW(file, FILE_READ_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (!GetFileInformationByHandle(h, &info)) info = {};
    CloseHandle(h);
  }
  EXPECT_EQ(info.dwVolumeSerialNumber, serial);
}

// Two flash disks of one layout (ext4 images here; a FAT stick carries its
// serial number in its boot sector, these in the file wine reads for one): the
// virus on the one scanned, a clean file of the same size and time at the same
// place (and so the same index) on the other, swapped in before Hapus.
TEST_F(RemedyOnWine, HapusOnAStickSwappedForAnotherOfTheSameLayoutLeavesIt) {
  const char* prefix = getenv("WINEPREFIX");
  ASSERT_TRUE(prefix);
  const std::string drive = std::string(prefix) + "-flash", images = "/tmp/tarvex-sticks-" + std::to_string(GetCurrentProcessId());
  const std::string clean(68, 'c');
  std::string make = "set -e; mkdir -p " + images + "; cd " + images + "\n";
  for (const auto& [stick, content, serial] : {std::tuple{"a", std::string(testing::kEicar), "1111"}, {"b", clean, "2222"}}) {
    make += "truncate -s 8M " + std::string(stick) + ".img; mkfs.ext4 -q -F " + stick + ".img; mount -o loop " + stick +
            ".img '" + drive + "'\nmkdir '" + drive + "/sub'; printf '%s' '" + content + "' > '" + drive +
            "/sub/eicar.com'; touch -d @1600000000 '" + drive + "/sub/eicar.com'\nprintf " + serial + " > '" + drive +
            "/.windows-serial'; umount '" + drive + "'\n";
  }
  struct Unmount {
    std::string drive, images;
    ~Unmount() { testing::HostShell("umount '" + drive + "'; rm -rf " + images); }
  } unmount{drive, images};
  if (testing::HostShell(make) != 0 || testing::HostShell("mount -o loop " + images + "/a.img '" + drive + "'") != 0)
    GTEST_SKIP() << "this machine mounts no disk images (root, loop devices and mkfs.ext4 are needed)";
  Announce(L'r', drive, L"R:\\sub\\eicar.com", 0x1111);
  programFolder_.Write("Tarvex.db", testing::ChecksumOf(testing::kEicar) + ":Test.Virus\r\nSelesai:Selesai\r\n");
  chosen_ = "R:\\";
  Click(A::cmdScan);
  ASSERT_THAT(ListedPaths(), ElementsAre("R:\\sub\\eicar.com"));

  ASSERT_EQ(testing::HostShell("umount '" + drive + "' && mount -o loop " + images + "/b.img '" + drive + "'"), 0);
  Announce(L'r', drive, L"R:\\sub\\eicar.com", 0x2222);
  Click(A::cmdHapus);
  EXPECT_EQ(ReadBytes("R:\\sub\\eicar.com"), clean) << "the other stick's file is its own";
  EXPECT_THAT(ListedPaths(), ElementsAre("R:\\sub\\eicar.com"));
  EXPECT_EQ(Text(A::status), "0 virus telah dihapus...");
}

}  // namespace
}  // namespace tarvex
