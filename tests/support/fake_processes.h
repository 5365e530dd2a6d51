#pragma once
// A system whose processes the test sets up; it records what was ended.
#include <cctype>
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
  // As Windows compares names: letter case ignored, and a short name as its long one.
  std::string PathKey(const std::string& path) override {
    std::string key = longNames.count(path) ? longNames[path] : path;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
  }
  bool Terminate(std::uint32_t pid) override {
    terminated.push_back(pid);
    if (journal) journal->push_back("end " + ExecutablePath(pid));
    return true;
  }

  std::vector<std::uint32_t> snapshot;
  std::map<std::uint32_t, std::string> paths;
  std::vector<std::uint32_t> terminated;
  std::set<std::string> idle;  // files no process can be running from
  std::map<std::string, std::string> longNames;  // a short 8.3 path and its long form
  int snapshots = 0;
  std::vector<std::string>* journal = nullptr;  // where "end <path>" is written, when set
};

}  // namespace tarvex::testing
