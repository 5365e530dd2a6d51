#pragma once
// What the process guard needs from the platform: the running processes, the
// executable each one was started from, and a way to end one.
#include <cstdint>
#include <string>
#include <vector>

namespace tarvex::sys {

class ProcessApi {
 public:
  virtual ~ProcessApi() = default;

  // Process ids of one snapshot of the system, in the order the snapshot
  // lists them; empty when no snapshot could be taken.
  virtual std::vector<std::uint32_t> SnapshotProcessIds() = 0;

  // The executable's full path in UTF-8 as the platform reports it (which may
  // be a native form such as "\??\C:\..."; a long-path prefix is taken
  // off), or "" when the process cannot be opened or queried.
  virtual std::string ExecutablePath(std::uint32_t pid) = 0;

  // Ends the process with exit code 0; false when it could not be opened or
  // ended.
  virtual bool Terminate(std::uint32_t pid) = 0;

  // False only when no process can be running from the file at `path`; true
  // when one may be, or when that cannot be told without a snapshot.
  virtual bool MayRunFrom(const std::string& /*path*/) { return true; }

  // The form in which two paths of one file compare equal, as the file system
  // compares them: on Windows short 8.3 names made long and letter case
  // ignored. The path itself where names are taken exactly.
  virtual std::string PathKey(const std::string& path) { return path; }
};

// The running system's processes. The native build has none to offer: its
// snapshot is always empty.
ProcessApi& SystemProcesses();

}  // namespace tarvex::sys
