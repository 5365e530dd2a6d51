#pragma once
// A program started from a path of the test's choosing (UTF-8, in any script),
// the way an infected program runs from where a scan finds it; ended when the
// test ends if it is still running.
#include <windows.h>

#include <cstdint>
#include <string>

#include "system/wide_path_win32.h"

namespace tarvex::testing {

class RunningProgram {
 public:
  explicit RunningProgram(const std::string& path, const char* workingFolder = nullptr) : path_(path) {
    // Started by the name a walk gives it, not the long form, so that the
    // system reports the path a scan builds.
    std::wstring launch = sys::win32::Wide(path).value_or(L"");
    std::wstring folder = workingFolder ? sys::win32::Wide(workingFolder).value_or(L"") : L"";
    std::wstring command = L"\"" + launch + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (CreateProcessW(launch.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       workingFolder ? folder.c_str() : nullptr, &si, &pi_)) {
      CloseHandle(pi_.hThread);
    }
  }
  ~RunningProgram() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 9);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return pi_.hProcess != nullptr; }
  HANDLE Handle() const { return pi_.hProcess; }
  std::uint32_t Pid() const { return pi_.dwProcessId; }
  const std::string& Path() const { return path_; }
  bool EndsWithin(DWORD ms) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
  // Ended with exit code 0, by a termination, not by its own timeout.
  bool EndedByTermination() const {
    DWORD code = 99;
    return EndsWithin(5000) && GetExitCodeProcess(pi_.hProcess, &code) && code == 0;
  }

 private:
  std::string path_;
  PROCESS_INFORMATION pi_ = {};
};

}  // namespace tarvex::testing
