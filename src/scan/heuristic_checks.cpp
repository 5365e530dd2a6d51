#include "scan/heuristic_checks.h"

#include <algorithm>
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

HeuristicChecks::HeuristicChecks(HeuristicServices services)
    : services_(Checked(std::move(services))), stick_(services_.directories) {}

void HeuristicChecks::StartScan(std::vector<std::string> startFolders) {
  stick_.StartScan(startFolders);
  startFolders_ = std::move(startFolders);
  listedFolder_.clear();
  listedHidden_ = {};
}

void HeuristicChecks::FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries) {
  listedFolder_ = folder;
  listedHidden_ = heuristics::HiddenFolders(entries);
  // What was listed for the folder before may have changed since.
  stick_.Forget();
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
    return Found({path, heuristics::kAutorun, *file.length, heuristics::kRemark, file.Identity()}, content);
  }
  static const heuristics::HiddenFolders kNone;
  // A single file given as a root: its folder was not listed.
  const std::optional<std::string_view> rule = FileRule(path, name, file, folder == listedFolder_ ? listedHidden_ : kNone);
  if (!rule) return std::nullopt;
  return Found({path, std::string(*rule), *file.length, heuristics::kRemark, file.Identity()}, file.content);
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
    std::optional<heuristics::StickEntry> dir = stick_.Find(link->workingDir, folder, folder);
    if (dir && (dir->attributes & sys::kAttrDirectory))
      base = dir->path.back() == folder.back() ? dir->path : dir->path + folder.back();
  }
  auto find = [&](std::string_view written) {
    std::optional<heuristics::StickEntry> e = stick_.Find(std::string(written), folder, base);
    return e || base == folder ? e : stick_.Find(std::string(written), folder, folder);
  };
  const heuristics::ShortcutVerdict verdict = heuristics::JudgeShortcut(*link, name, inPlaceOfAFolder, find);
  if (!verdict.worm) return;
  if (!file.Reported()) {
    std::optional<Detection> own =
        Found({path, heuristics::kShortcut, *file.length, heuristics::kRemark, file.Identity()}, file.content);
    // Restored by the user: the shortcut is theirs, and so is what it starts.
    if (!own) return;
    rows.push_back(std::move(*own));
  }
  for (const heuristics::StickEntry& started : verdict.started) {
    const std::optional<std::string> inTree = stick_.InScannedTree(started.path);
    if (!inTree) continue;
    if (std::optional<Detection> row = TargetRow(*inTree)) rows.push_back(std::move(*row));
  }
}

std::optional<Detection> HeuristicChecks::TargetRow(const std::string& path) {
  const std::size_t cut = path.find_last_of(services_.directories.Separator()) + 1;
  // Read as the walk reads every file: the row is the checks' when they name it.
  const CheckedFile checked = services_.check(path.substr(0, cut), path.substr(cut));
  if (checked.found) return checked.found;
  if (!checked.length || TooLargeForAnyCheck(*checked.length)) return std::nullopt;
  return Found({path, heuristics::kShortcutTarget, *checked.length, heuristics::kRemark, checked.Identity()},
               checked.content);
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
