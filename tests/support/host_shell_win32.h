#pragma once
// Under wine, what only the host can make: links, pipes, mounted disk images.
// A script of the host's shell run from the test, with the test's paths as
// the host sees them.
#include <windows.h>

#include <fstream>
#include <string>

#include "system/wide_path_win32.h"

namespace tarvex::testing {

// The host's path of a Windows path; "" outside wine.
inline std::string HostPath(const std::string& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  static const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  const std::wstring wide = sys::win32::Wide(path).value_or(L"");
  char* host = convert ? convert(wide.c_str()) : nullptr;
  const std::string out = host ? host : "";
  if (host) HeapFree(GetProcessHeap(), 0, host);
  return out;
}

// The script's exit status; -1 when the host's shell cannot be started or
// does not end within a minute. Wine cannot wait for a host program: the
// script leaves its status in a file of its own.
inline int HostShell(const std::string& script) {
  const std::string name = "/tmp/tarvex-" + std::to_string(GetCurrentProcessId()), status = "Z:" + name + ".status";
  DeleteFileA(status.c_str());
  std::ofstream("Z:" + name + ".sh", std::ios::binary) << "(\n" << script << "\n)\necho $? > " << name << ".part && mv "
                                                       << name << ".part " << name << ".status\n";
  std::wstring command = sys::win32::Wide("sh " + name + ".sh").value_or(L"");
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  int code = -1;
  for (int waited = 0; waited < 60000 && code < 0; waited += 20) {
    std::ifstream in(status);
    if (!(in >> code)) code = -1, Sleep(20);
  }
  return code;
}

}  // namespace tarvex::testing
