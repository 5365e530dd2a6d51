#pragma once
// A program started from a path of the test's choosing, ended when the test
// ends if it is still running.
#include <windows.h>

#include <cstdint>
#include <string>

namespace tarvex::testing {

class RunningProgram {
 public:
  explicit RunningProgram(const std::string& path, const char* workingFolder = nullptr) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string command = "\"" + path + "\"";
    if (CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, workingFolder,
                       &si, &pi_)) {
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
  bool EndsWithin(DWORD ms) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }

 private:
  PROCESS_INFORMATION pi_ = {};
};

}  // namespace tarvex::testing
