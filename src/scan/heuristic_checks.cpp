#include "scan/heuristic_checks.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "scan/file_detection.h"
#include "signatures/shell_link.h"

namespace tarvex {

namespace {

HeuristicServices Checked(HeuristicServices s) {
  if (!s.readHead || !s.check) throw std::invalid_argument("HeuristicServices: readHead and check must be given");
  return s;
}

}  // namespace

HeuristicChecks::HeuristicChecks(HeuristicServices services) : services_(Checked(std::move(services))) {}

void HeuristicChecks::StartScan(std::vector<std::string> startFolders) {
  startFolders_ = std::move(startFolders);
  listedFolder_.clear();
  listedHidden_ = {};
  listings_.clear();
}

void HeuristicChecks::FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries) {
  listedFolder_ = folder;
  listedHidden_ = heuristics::HiddenFolders(entries);
  // What was listed for the folder before may have changed since.
  listings_.clear();
}

std::vector<Detection> HeuristicChecks::Check(const std::string& folder, const std::string& name,
                                              const CheckedFile& file) {
  std::vector<Detection> rows;
  // The quarantine holds what was caught already; a file with no length is
  // gone; the size rule of the checks holds for the rules too.
  if (InQuarantine(folder) || !file.length || TooLargeForAnyCheck(*file.length)) return rows;
  if (heuristics::IsShortcutName(name)) {
    ShortcutRows(folder, name, file, rows);
  } else if (!file.Reported()) {
    if (std::optional<Detection> own = OwnRow(folder, name, file)) rows.push_back(std::move(*own));
  }
  return rows;
}

std::optional<Detection> HeuristicChecks::OwnRow(const std::string& folder, const std::string& name,
                                                 const CheckedFile& file) {
  const std::string path = folder + name;
  if (heuristics::IsAutorunName(name)) {
    if (!AutorunPlace(folder)) return std::nullopt;
    // Read whole below the size rule's limit, even past the CRC check's, which
    // a worm pads its autorun.inf beyond; kept, as the programs it starts are
    // read after it.
    const std::string content = file.content ? std::string(*file.content) : services_.readHead(path, kNoCheckBytes);
    if (!AutorunCounts(folder, name, content)) return std::nullopt;
    return Found({path, heuristics::kAutorun, *file.length, heuristics::kRemark}, content);
  }
  static const heuristics::HiddenFolders kNone;
  // A single file given as a root: its folder was not listed.
  const std::optional<std::string_view> rule = FileRule(path, name, file, folder == listedFolder_ ? listedHidden_ : kNone);
  if (!rule) return std::nullopt;
  return Found({path, std::string(*rule), *file.length, heuristics::kRemark}, file.content);
}

void HeuristicChecks::ShortcutRows(const std::string& folder, const std::string& name, const CheckedFile& file,
                                   std::vector<Detection>& rows) {
  const std::string path = folder + name;
  // One byte past the reader's limit tells it where the read, not the shortcut, ends.
  const std::string head = file.content ? std::string() : services_.readHead(path, kShellLinkReadBytes + 1);
  const std::optional<ShellLink> link = ReadShellLink(file.content ? *file.content : std::string_view(head));
  if (!link) return;
  const std::string stem = name.substr(0, name.size() - std::string_view(".lnk").size());
  const bool inPlaceOfAFolder = folder == listedFolder_ && listedHidden_.Has(stem);
  // A relative name runs from the working folder the shortcut gives, or else
  // from the shortcut's own folder.
  std::string base = folder;
  if (!link->workingDir.empty()) {
    std::optional<heuristics::StickEntry> dir = OnStick(link->workingDir, folder, folder);
    if (dir && (dir->attributes & sys::kAttrDirectory))
      base = dir->path.back() == folder.back() ? dir->path : dir->path + folder.back();
  }
  auto find = [&](std::string_view written) {
    std::optional<heuristics::StickEntry> e = OnStick(std::string(written), folder, base);
    return e || base == folder ? e : OnStick(std::string(written), folder, folder);
  };
  const heuristics::ShortcutVerdict verdict = heuristics::JudgeShortcut(*link, name, inPlaceOfAFolder, find);
  if (!verdict.worm) return;
  if (!file.Reported()) {
    std::optional<Detection> own = Found({path, heuristics::kShortcut, *file.length, heuristics::kRemark}, file.content);
    // Restored by the user: the shortcut is theirs, and so is what it starts.
    if (!own) return;
    rows.push_back(std::move(*own));
  }
  for (const heuristics::StickEntry& started : verdict.started) {
    if (!InScannedTree(started.path)) continue;
    if (std::optional<Detection> row = TargetRow(started.path)) rows.push_back(std::move(*row));
  }
}

std::optional<Detection> HeuristicChecks::TargetRow(const std::string& path) {
  const std::size_t cut = path.find_last_of(services_.directories.Separator()) + 1;
  // Read as the walk reads every file: the row is the checks' when they name it.
  const CheckedFile checked = services_.check(path.substr(0, cut), path.substr(cut));
  if (checked.found) return checked.found;
  if (!checked.length || TooLargeForAnyCheck(*checked.length)) return std::nullopt;
  return Found({path, heuristics::kShortcutTarget, *checked.length, heuristics::kRemark}, checked.content);
}

std::optional<heuristics::StickEntry> HeuristicChecks::OnStick(std::string written, const std::string& folder,
                                                               const std::string& base) {
  const char separator = services_.directories.Separator();
  std::replace_if(written.begin(), written.end(), [](char c) { return c == '\\' || c == '/'; }, separator);
  const std::string root = StickRoot(folder);
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

std::string HeuristicChecks::StickRoot(const std::string& folder) const {
  if (services_.directories.Separator() == '\\' && folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\')
    return folder.substr(0, 3);
  std::string root;
  for (const std::string& start : startFolders_) {
    if (start.size() > root.size() && folder.compare(0, start.size(), start) == 0) root = start;
  }
  return root;
}

bool HeuristicChecks::InScannedTree(const std::string& path) const {
  return std::any_of(startFolders_.begin(), startFolders_.end(),
                     [&](const std::string& start) { return path.compare(0, start.size(), start) == 0; });
}

const std::map<std::string, sys::DirEntry>& HeuristicChecks::Listing(const std::string& folder) {
  auto [it, fresh] = listings_.try_emplace(folder);
  if (fresh) {
    for (sys::DirEntry& e : services_.directories.List(folder, kFolderListingMask)) {
      if (e.name != "." && e.name != "..") it->second.emplace(heuristics::FoldedName(e.name), std::move(e));
    }
  }
  return it->second;
}

std::optional<Detection> HeuristicChecks::Found(Detection found, std::optional<std::string_view> content) const {
  if (trusted_ && trusted_(found, content)) return std::nullopt;
  return found;
}

bool HeuristicChecks::AutorunPlace(const std::string& folder) const {
  const bool driveRoot = folder.size() == 3 && folder[1] == ':' && folder[2] == services_.directories.Separator();
  return driveRoot || std::find(startFolders_.begin(), startFolders_.end(), folder) != startFolders_.end();
}

std::optional<std::string_view> HeuristicChecks::FileRule(const std::string& path, const std::string& name,
                                                          const CheckedFile& file,
                                                          const heuristics::HiddenFolders& beside) {
  // Whether the name could fit a rule at all, before any byte is read for it.
  if (!heuristics::FileHeuristic(name, "MZ", beside)) return std::nullopt;
  const std::string head = file.content ? std::string(file.content->substr(0, heuristics::kHeadBytes))
                                        : services_.readHead(path, heuristics::kHeadBytes);
  return heuristics::FileHeuristic(name, head, beside);
}

bool HeuristicChecks::AutorunCounts(const std::string& folder, const std::string& name, const std::string& content) {
  std::vector<heuristics::AutorunTarget> targets;
  for (std::string& written : heuristics::AutorunTargets(content)) targets.push_back(Target(folder, std::move(written)));
  const std::optional<sys::DirEntry> self = EntryOf(folder, name, nullptr);
  return heuristics::AutorunIsSuspicious(self && heuristics::IsHiddenEntry(self->attributes), targets);
}

std::string HeuristicChecks::TargetPath(const std::string& folder, std::string written) const {
  const char separator = services_.directories.Separator();
  std::replace_if(written.begin(), written.end(), [](char c) { return c == '\\' || c == '/'; }, separator);
  const bool drive = written.size() >= 2 && written[1] == ':';
  if (drive && separator == '\\') return written;
  // Elsewhere the stick is mounted as a folder: its own drive is the folder
  // the autorun.inf lies in.
  if (drive) written.erase(0, 2);
  std::string base = folder;
  if (!written.empty() && written.front() == separator) {
    written.erase(0, 1);
    if (separator == '\\' && folder.size() >= 3 && folder[1] == ':') base = folder.substr(0, 3);
  }
  while (written.size() >= 2 && written[0] == '.' && written[1] == separator) written.erase(0, 2);
  return base + written;
}

std::optional<sys::DirEntry> HeuristicChecks::EntryOf(const std::string& folder, const std::string& name,
                                                      std::vector<sys::DirEntry>* listing) {
  std::vector<sys::DirEntry> entries = services_.directories.List(folder, kFolderListingMask);
  std::optional<sys::DirEntry> found;
  for (const sys::DirEntry& e : entries) {
    if (heuristics::SameName(e.name, name) && !(e.attributes & sys::kAttrDirectory)) found = e;
  }
  if (listing) *listing = std::move(entries);
  return found;
}

heuristics::AutorunTarget HeuristicChecks::Target(const std::string& folder, std::string written) {
  const std::string path = TargetPath(folder, written);
  const std::string targetFolder = path.substr(0, path.find_last_of(services_.directories.Separator()) + 1);
  std::vector<sys::DirEntry> beside;
  const std::optional<sys::DirEntry> entry = EntryOf(targetFolder, path.substr(targetFolder.size()), &beside);
  // Of a program that is not there only its name and place tell.
  if (!entry) return {std::move(written)};
  // Looked at before its turn: it is named when the walk reaches it.
  const CheckedFile checked = services_.check(targetFolder, entry->name);
  bool detected = checked.Reported();
  if (!detected && checked.length && !TooLargeForAnyCheck(*checked.length))
    detected = FileRule(targetFolder + entry->name, entry->name, checked, heuristics::HiddenFolders(beside)).has_value();
  return {std::move(written), heuristics::IsHiddenEntry(entry->attributes), detected};
}

}  // namespace tarvex
