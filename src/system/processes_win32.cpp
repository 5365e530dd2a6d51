#include <windows.h>
// Bind the module calls to psapi.dll: their kernel32 aliases (K32...) exist
// only from Windows 7 on, and would keep the program from starting before it.
#define PSAPI_VERSION 1
#include <psapi.h>
#include <tlhelp32.h>

#include <map>
#include <optional>

#include "base/scoped_win32.h"
#include "system/processes.h"
#include "system/processes_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

#ifndef _WIN64
// The ANSI record, as the 32-bit program hands it over.
static_assert(sizeof(PROCESSENTRY32) == 296, "ANSI PROCESSENTRY32 expected");
#endif

namespace win32 {

namespace {

constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;  // 0x410
constexpr DWORD kQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION
constexpr DWORD kAllAccess = 0x1F0FFF;   // PROCESS_ALL_ACCESS as XP knows it
constexpr DWORD kEndWait = 3000;         // ms

// Room for the longest path the system allows: a program deep in the tree
// must be found as surely as one near its root.
constexpr DWORD kLongestPath = 32768;

using QueryFullProcessImageNameWFn = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);

QueryFullProcessImageNameWFn LoadQueryFullProcessImageName() {
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  FARPROC p = kernel ? GetProcAddress(kernel, "QueryFullProcessImageNameW") : nullptr;
  // Through void(*)() so that the compiler accepts the change of signature.
  return reinterpret_cast<QueryFullProcessImageNameWFn>(reinterpret_cast<void (*)()>(p));
}

}  // namespace

std::string FirstModulePath(std::uint32_t pid) {
  std::string path;
  ui::ScopedHandle process(OpenProcess(kQueryAndRead, FALSE, pid));
  if (!process) return path;
  HMODULE modules[200];
  DWORD needed = 0;
  if (EnumProcessModules(process.get(), modules, sizeof modules, &needed) && needed >= sizeof(HMODULE)) {
    std::wstring buf(kLongestPath, L'\0');
    DWORD n = GetModuleFileNameExW(process.get(), modules[0], buf.data(), kLongestPath);
    // A full buffer is a cut-off name (XP does not even end it with a NUL);
    // a shortened path could name some other file, so it is not kept.
    if (n > 0 && n < kLongestPath) path = ReportedPath(buf.substr(0, n)).value_or("");
  }
  return path;
}

std::optional<std::uint64_t> StartTime(std::uint32_t pid) {
  ui::ScopedHandle process(OpenProcess(kQueryLimited, FALSE, pid));
  // Before Vista there are no limited rights.
  if (!process) process.reset(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid));
  FILETIME created, exited, kernel, user;
  if (!process || !GetProcessTimes(process.get(), &created, &exited, &kernel, &user)) return std::nullopt;
  return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::string FullImageName(std::uint32_t pid) {
  static const QueryFullProcessImageNameWFn query = LoadQueryFullProcessImageName();
  std::string path;
  if (!query) return path;
  ui::ScopedHandle process(OpenProcess(kQueryLimited, FALSE, pid));
  if (!process) return path;
  std::wstring buf(kLongestPath, L'\0');
  DWORD n = kLongestPath;
  if (query(process.get(), 0, buf.data(), &n) && n > 0 && n < kLongestPath) path = ReportedPath(buf.substr(0, n)).value_or("");
  return path;
}

}  // namespace win32

namespace {

class Win32Processes final : public ProcessApi {
 public:
  std::vector<std::uint32_t> SnapshotProcessIds() override {
    std::vector<std::uint32_t> ids;
    // Processes only: a snapshot of every thread, module and heap as well
    // costs a scan that finds many files a good part of its time.
    ui::ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return ids;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
      ids.push_back(entry.th32ProcessID);
    }
    return ids;
  }

  // A process's executable does not change while it lives: found once, its
  // path is kept for as long as that process (its id with its start time) is
  // there. Reading another process's modules means reading its memory, which
  // costs a scan that finds many files dearly (the table is rebuilt for each).
  std::string ExecutablePath(std::uint32_t pid) override {
    const std::optional<std::uint64_t> start = win32::StartTime(pid);
    if (start) {
      auto known = known_.find(pid);
      if (known != known_.end() && known->second.start == *start) return known->second.path;
    }
    std::string path = win32::FirstModulePath(pid);
    // The 32-bit program cannot list the modules of a 64-bit process; without
    // this the infected 64-bit programs of today's systems would keep running.
    if (path.empty()) path = win32::FullImageName(pid);
    // A path not found now (a process still starting) is looked for again next time.
    if (start && !path.empty()) known_[pid] = {*start, path};
    return path;
  }

  bool Terminate(std::uint32_t pid) override {
    ui::ScopedHandle process(OpenProcess(win32::kAllAccess, FALSE, pid));
    if (!process) return false;
    if (!TerminateProcess(process.get(), 0)) return false;
    // Termination only starts the end: until the process is gone its
    // executable cannot be deleted or moved, which is what the caller does next.
    WaitForSingleObject(process.get(), win32::kEndWait);
    return true;
  }

  std::string PathKey(const std::string& path) override {
    std::optional<std::wstring> wide = win32::WidePath(path), plain = win32::Wide(path);
    if (!wide || !plain) return path;
    // A path within the classic limit is asked as it is: wine expands no short name behind "\\?\".
    const std::wstring& asked = plain->size() < MAX_PATH ? *plain : *wide;
    std::wstring key(32768, L'\0');
    const DWORD n = GetLongPathNameW(asked.c_str(), key.data(), static_cast<DWORD>(key.size()));
    key = n > 0 && n < key.size() ? key.substr(0, n) : asked;
    // The file systems' own rule: each character upper-cased alone, whatever the language.
    CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return win32::ReportedPath(key).value_or(path);
  }

  // A running program's image cannot be opened for writing, whatever the
  // sharing asked: a file that can be is no process's executable, and a
  // scan that finds many files is spared a snapshot for each of them.
  bool MayRunFrom(const std::string& path) override {
    const std::optional<std::wstring> wide = win32::WidePath(path);
    if (!wide) return true;
    ui::ScopedHandle file(CreateFileW(wide->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file;
  }

 private:
  struct Known {
    std::uint64_t start = 0;
    std::string path;
  };
  std::map<std::uint32_t, Known> known_;
};

}  // namespace

ProcessApi& SystemProcesses() {
  static Win32Processes system;
  return system;
}

}  // namespace tarvex::sys
