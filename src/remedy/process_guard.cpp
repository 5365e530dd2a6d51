#include "remedy/process_guard.h"

namespace tarvex {

namespace {

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

ProcessGuard::ProcessGuard(sys::ProcessApi& processes) : processes_(processes) {}

void ProcessGuard::ListProcesses() {
  ids_.clear();
  paths_.clear();
  // No cap on the table: today's systems run a few hundred processes, and a
  // process missing from it could never be ended.
  for (std::uint32_t pid : processes_.SnapshotProcessIds()) {
    ids_.push_back(pid);
    paths_.push_back(PathByPID(pid));
  }
}

std::string ProcessGuard::PathByPID(std::uint32_t pid) {
  std::string path = processes_.ExecutablePath(pid);
  // Native forms would never equal a scanned file's path anyway; dropping them
  // keeps the table honest about what it can match.
  if (StartsWith(path, "\\??\\") || StartsWith(path, "\\SystemRoot\\")) path.clear();
  return path;
}

const std::string& ProcessGuard::KeyOf(const std::string& path) {
  auto known = keys_.find(path);
  if (known == keys_.end()) known = keys_.emplace(path, processes_.PathKey(path)).first;
  return known->second;
}

void ProcessGuard::KillProcessByPath(const std::string& path) {
  if (path.empty()) return;
  const std::string key = processes_.PathKey(path);
  for (std::size_t i = 0; i < paths_.size(); ++i) {
    if (!paths_[i].empty() && KeyOf(paths_[i]) == key) processes_.Terminate(ids_[i]);
  }
}

void ProcessGuard::StopProcessOf(const std::string& path) {
  if (!processes_.MayRunFrom(path)) return;
  ListProcesses();
  KillProcessByPath(path);
}

}  // namespace tarvex
