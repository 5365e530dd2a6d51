#pragma once
// A system whose processes the test sets up; it records what was ended.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "system/processes.h"

namespace tarvex::testing {

class FakeProcesses : public sys::ProcessApi {
 public:
  void Run(std::uint32_t pid, std::string path) {
    snapshot.push_back(pid);
    paths[pid] = std::move(path);
  }
  std::vector<std::uint32_t> SnapshotProcessIds() override {
    ++snapshots;
    return snapshot;
  }
  std::string ExecutablePath(std::uint32_t pid) override {
    auto it = paths.find(pid);
    return it == paths.end() ? std::string() : it->second;
  }
  bool MayRunFrom(const std::string& path) override { return !idle.count(path); }
  bool Terminate(std::uint32_t pid) override {
    terminated.push_back(pid);
    if (journal) journal->push_back("end " + ExecutablePath(pid));
    return true;
  }

  std::vector<std::uint32_t> snapshot;
  std::map<std::uint32_t, std::string> paths;
  std::vector<std::uint32_t> terminated;
  std::set<std::string> idle;  // files no process can be running from
  int snapshots = 0;
  std::vector<std::string>* journal = nullptr;  // where "end <path>" is written, when set
};

}  // namespace tarvex::testing
