#pragma once
// The process guard: a table of the running processes and the executable each
// was started from, so that a process whose file has just been found infected
// can be ended before the file is deleted or quarantined.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "system/processes.h"

namespace tarvex {

class ProcessGuard {
 public:
  explicit ProcessGuard(sys::ProcessApi& processes);

  // Rebuilds the table from scratch out of a fresh snapshot: every process of
  // the snapshot, in snapshot order, with PathByPID of each.
  void ListProcesses();

  // The executable's full path, or "" when it is unknown or reported in a
  // native form ("\??\..." or "\SystemRoot\..."); such forms are dropped, not
  // translated.
  std::string PathByPID(std::uint32_t pid);

  // Ends every process of the table whose path names the same file as
  // `path`, compared as the file system compares names (on Windows: letter
  // case ignored, a short 8.3 name as its long form), so that a program
  // started as c:\x\virus.exe is ended for C:\X\VIRUS.EXE; nothing when no
  // entry matches. An empty path never matches. A failed termination is not
  // reported: the caller goes on with the file anyway.
  void KillProcessByPath(const std::string& path);

  // Ends the processes started from `path`, out of a fresh table (a program may
  // have started since the last one), unless no process can be running from it.
  void StopProcessOf(const std::string& path);

  // The table as the last ListProcesses left it, both lists in snapshot order
  // and of the same length (indices from 0).
  std::size_t ProcessCount() const { return ids_.size(); }
  const std::vector<std::uint32_t>& ProcessIDs() const { return ids_; }
  const std::vector<std::string>& ProcessPaths() const { return paths_; }

 private:
  // The comparable form of a table path, asked of the system once per path.
  const std::string& KeyOf(const std::string& path);

  sys::ProcessApi& processes_;
  std::vector<std::uint32_t> ids_;
  std::vector<std::string> paths_;
  std::map<std::string, std::string> keys_;
};

}  // namespace tarvex
