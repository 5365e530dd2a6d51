#pragma once
// Under wine, what only the host can make (links, pipes, mounted disk images):
// a script of the host's shell, with the test's paths as the host sees them.
#include <windows.h>

#include <fstream>
#include <string>

#include "system/wide_path_win32.h"

namespace tarvex::testing {

// The host's path of a Windows path (of a folder that is there); "" outside wine.
inline std::string HostPath(const std::string& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  static const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  char* host = convert ? convert(sys::win32::Wide(path).value_or(L"").c_str()) : nullptr;
  const std::string out = host ? host : "";
  HeapFree(GetProcessHeap(), 0, host);
  return out;
}

// The script's exit status, which it leaves in a file (wine cannot wait for a
// host program); -1 when it cannot be started or runs past a minute. The
// script lies in the prefix's own temporary folder: two prefixes' processes
// may have the same number, and tests of two builds run at once.
inline int HostShell(const std::string& script) {
  wchar_t temp[MAX_PATH];
  if (!GetTempPathW(MAX_PATH, temp)) return -1;
  const std::string folder = sys::win32::Utf8(temp).value_or(""), host = HostPath(folder);
  const std::string windows = folder + "tarvex-shell-" + std::to_string(GetCurrentProcessId());
  if (host.empty()) return -1;
  const std::string name = host + (host.back() == '/' ? "" : "/") + "tarvex-shell-" + std::to_string(GetCurrentProcessId());
  DeleteFileA((windows + ".status").c_str());
  std::ofstream(windows + ".sh", std::ios::binary) << "(\n" << script << "\n)\necho $? > '" << name << ".part' && mv '"
                                                   << name << ".part' '" << name << ".status'\n";
  std::wstring command = sys::win32::Wide("sh \"" + name + ".sh\"").value_or(L"");
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  int code = -1;
  for (int waited = 0; waited < 60000 && !(std::ifstream(windows + ".status") >> code); waited += 20) Sleep(20);
  return code;
}

// A script of the host's shell run when the scope ends, to undo what the
// test made: wine's DeleteFile would go where a link leads.
struct HostCleanUp {
  std::string script;
  ~HostCleanUp() { HostShell(script); }
};

}  // namespace tarvex::testing
