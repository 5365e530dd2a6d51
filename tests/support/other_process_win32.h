#pragma once
// A program of the test's started in a process of its own, and its windows as
// another program sees them: found by class and title, read and answered
// through messages.
#include <windows.h>

#include <string>

namespace tarvex::testing {

class OtherProcess {
 public:
  OtherProcess(const std::string& exe, const std::string& arguments) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    std::string command = "\"" + exe + "\" " + arguments;
    CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
    if (pi_.hThread) CloseHandle(pi_.hThread);
  }
  ~OtherProcess() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 9);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hProcess);
  }
  OtherProcess(const OtherProcess&) = delete;
  OtherProcess& operator=(const OtherProcess&) = delete;

  bool Started() const { return pi_.hProcess != nullptr; }
  bool EndsWithin(DWORD ms) const { return WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }

  // A visible top-level window of the process with this class (and title,
  // when given), waiting for it up to `ms`; null when none came.
  HWND WaitForWindow(const char* className, const char* title, DWORD ms) const {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(20)) {
      Search s = {pi_.dwProcessId, className, title, nullptr};
      EnumWindows(&Match, reinterpret_cast<LPARAM>(&s));
      if (s.found) return s.found;
      if (EndsWithin(0)) return nullptr;
    }
    return nullptr;
  }

 private:
  struct Search {
    DWORD pid;
    const char* className;
    const char* title;
    HWND found;
  };
  static BOOL CALLBACK Match(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[64] = {};
    char title[256] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    GetWindowTextA(hwnd, title, sizeof title);
    if (pid == s->pid && IsWindowVisible(hwnd) && lstrcmpA(cls, s->className) == 0 &&
        (!s->title || lstrcmpA(title, s->title) == 0)) {
      s->found = hwnd;
      return FALSE;
    }
    return TRUE;
  }

  PROCESS_INFORMATION pi_ = {};
};

// The text of a message box (its static text control).
inline std::string MessageBoxText(HWND box) {
  char text[1024] = {};
  for (int id : {0xFFFF, 100}) {
    if (GetDlgItemTextA(box, id, text, sizeof text) > 0) break;
  }
  return text;
}

// The text of a control of another process.
inline std::string ControlText(HWND control) {
  char text[1024] = {};
  SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  return text;
}

}  // namespace tarvex::testing
