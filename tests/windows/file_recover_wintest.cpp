// FileRecover.bat as the program ships it, run by the command interpreter on
// folders of files that a "virus" has hidden.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "support/temp_tree_win32.h"

namespace tarvex {
namespace {

using testing::TempTree;

std::string BatchFile() {
  std::string exe = TARVEX_EXE_PATH;
  return exe.substr(0, exe.rfind('\\')) + "\\FileRecover.bat";
}

struct BatchRun {
  DWORD exitCode = 99;
  std::string output;
};

// cmd /c FileRecover.bat [argument], with `answer` on its standard input.
BatchRun RunBatch(const std::string& argument, const std::string& answer = "") {
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE inRead = nullptr, inWrite = nullptr, outRead = nullptr, outWrite = nullptr;
  CreatePipe(&inRead, &inWrite, &inherit, 0);
  CreatePipe(&outRead, &outWrite, &inherit, 0);
  SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = inRead;
  si.hStdOutput = outWrite;
  si.hStdError = outWrite;
  std::string command = "cmd.exe /c \"\"" + BatchFile() + "\"" + (argument.empty() ? "" : " \"" + argument + "\"") + "\"";
  PROCESS_INFORMATION pi = {};
  BatchRun run;
  if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
    CloseHandle(inRead);
    CloseHandle(outWrite);
    DWORD n = 0;
    WriteFile(inWrite, answer.data(), static_cast<DWORD>(answer.size()), &n, nullptr);
    CloseHandle(inWrite);
    char buf[4096];
    while (ReadFile(outRead, buf, sizeof buf, &n, nullptr) && n > 0) run.output.append(buf, n);
    WaitForSingleObject(pi.hProcess, 60000);
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  CloseHandle(outRead);
  return run;
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
      {tree.Root() + "\\missing", 2, "tidak ditemukan"},
  };
  for (const Case& c : cases) {
    BatchRun run = RunBatch(c.target);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.target << "\n" << run.output;
    EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
  }
  EXPECT_EQ(Attributes(marker) & FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace
}  // namespace tarvex
