#pragma once
// A copy of a helper program, started from a path of the test's choosing
// (UTF-8, in any script, at any depth) the way an infected program would run
// from where a scan finds it; ended again when the test is over.
#include <windows.h>

#include <cstdint>
#include <string>

#include "system/wide_path_win32.h"

namespace tarvex::testing {

class RunningProgram {
 public:
  // Copies `program` to `path`, whose folder must exist, and starts the copy
  // there, with its own folder as the working folder.
  RunningProgram(const std::string& program, const std::string& path) : path_(path) {
    std::wstring source = sys::win32::WidePath(program).value_or(L"");
    std::wstring target = sys::win32::WidePath(path).value_or(L"");
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE)) return;
    // Started by the name the walk would give it, so that the system reports
    // the path a scan builds.
    std::wstring launch = sys::win32::Wide(path).value_or(L"");
    std::wstring folder = launch.substr(0, launch.find_last_of(L'\\'));
    std::wstring command = L"\"" + launch + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    if (CreateProcessW(launch.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       folder.c_str(), &si, &pi_)) {
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
