#pragma once
// A console program run as a user runs it from a command line: its output
// and its exit code.
#include <windows.h>

#include <string>

namespace tarvex::testing {

// A program that the build puts beside TarvexAV.exe.
inline std::string Beside(const std::string& name) {
  std::string exe = TARVEX_EXE_PATH;
  return exe.substr(0, exe.rfind('\\') + 1) + name;
}

struct CommandRun {
  DWORD exitCode = 99;
  std::string output;
};

// The command line run with `answer` on its standard input.
inline CommandRun RunCommand(std::string command, const std::string& answer) {
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
  PROCESS_INFORMATION pi = {};
  CommandRun run;
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

// Quotes added without `"literal" + std::string&&`, which the 32-bit compiler warns about falsely.
inline std::string Quoted(const std::string& text) { return std::string(1, '"').append(text).append(1, '"'); }

}  // namespace tarvex::testing
