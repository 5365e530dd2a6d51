#include "scan/stick_paths.h"

#include <algorithm>
#include <cctype>

#include "scan/heuristics.h"

namespace tarvex {

void StickPaths::StartScan(std::vector<std::string> startFolders) {
  startFolders_ = std::move(startFolders);
  listings_.clear();
}

std::optional<heuristics::StickEntry> StickPaths::Find(std::string written, const std::string& folder,
                                                       const std::string& base) {
  const char separator = directories_.Separator();
  std::replace_if(written.begin(), written.end(), [](char c) { return c == '\\' || c == '/'; }, separator);
  const std::string root = Root(folder);
  if (written.empty() || root.empty()) return std::nullopt;
  std::string path = base;
  if (written.size() >= 2 && written[1] == ':') {
    // On Windows only the stick's own drive letter is the stick.
    const std::size_t colon = root.find(':');
    if (separator == '\\' && (colon == 0 || colon == std::string::npos ||
                              std::toupper(static_cast<unsigned char>(root[colon - 1])) !=
                                  std::toupper(static_cast<unsigned char>(written[0]))))
      return std::nullopt;
    written.erase(0, 2);
    path = root;
  } else if (written.front() == separator) {
    if (written.size() > 1 && written[1] == separator) return std::nullopt;  // a share elsewhere
    path = root;
  }
  std::uint32_t attributes = sys::kAttrDirectory;
  for (std::size_t start = 0; start < written.size();) {
    std::size_t end = written.find(separator, start);
    if (end == std::string::npos) end = written.size();
    const std::string part = written.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    // Only through folders, never a link out of the stick, nor above its root.
    if (!(attributes & sys::kAttrDirectory) || (attributes & sys::kAttrReparsePoint)) return std::nullopt;
    if (part == "..") {
      if (path.size() <= root.size()) return std::nullopt;
      path.erase(path.find_last_of(separator, path.size() - 2) + 1);
      attributes = sys::kAttrDirectory;
      continue;
    }
    if (part.find_first_of("*?") != std::string::npos) return std::nullopt;
    if (path.back() != separator) path += separator;
    const std::map<std::string, sys::DirEntry>& listing = Listing(path);
    const auto found = listing.find(heuristics::FoldedName(part));
    if (found == listing.end()) return std::nullopt;
    path += found->second.name;
    attributes = found->second.attributes;
  }
  if (path.back() == separator && path.size() > root.size()) path.pop_back();
  return heuristics::StickEntry{path, attributes};
}

std::string StickPaths::Root(const std::string& folder) const {
  if (directories_.Separator() == '\\' && folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\')
    return folder.substr(0, 3);
  std::string root;
  for (const std::string& start : startFolders_) {
    if (start.size() > root.size() && folder.compare(0, start.size(), start) == 0) root = start;
  }
  return root;
}

std::optional<std::string> StickPaths::InScannedTree(const std::string& path) const {
  // Windows compares names without letter case: a drive root given as "e:\"
  // holds "E:\x.vbs", which is then written as the walk writes it.
  const bool windows = directories_.Separator() == '\\';
  for (const std::string& start : startFolders_) {
    const std::string_view head = std::string_view(path).substr(0, start.size());
    if (head == start || (windows && heuristics::SameName(head, start))) return start + path.substr(start.size());
  }
  return std::nullopt;
}

const std::map<std::string, sys::DirEntry>& StickPaths::Listing(const std::string& folder) {
  auto [it, fresh] = listings_.try_emplace(folder);
  if (fresh) {
    for (sys::DirEntry& e : directories_.List(folder, kFolderListingMask)) {
      if (e.name != "." && e.name != "..") it->second.emplace(heuristics::FoldedName(e.name), std::move(e));
    }
  }
  return it->second;
}

}  // namespace tarvex
