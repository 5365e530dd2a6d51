#include "remedy/quarantine.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "scan/heuristics.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "system/files.h"

namespace tarvex {

namespace {

// The longest name the file systems take, in bytes (Windows counts UTF-16
// units, never more than UTF-8 bytes).
constexpr std::size_t kLongestName = 255;
// Far more copies than any folder holds; only a file system that calls every
// name taken gets this far.
constexpr int kNameAttempts = 100000;

// The name a file had before the quarantine gave it its "_vir" ending.
std::string WithoutVirEnding(const std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
  const std::size_t cut = name.rfind("_vir", end);
  return cut != std::string::npos && cut > 0 && cut + 4 == end ? name.substr(0, cut) : name;
}

}  // namespace

std::string QuarantineName(const std::string& name, int attempt) {
  const std::string ending = "_vir" + (attempt > 1 ? std::to_string(attempt) : "");
  std::size_t keep = std::min(name.size(), kLongestName - ending.size());
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  return name.substr(0, keep) + ending;
}

std::string NumberedCopy(const std::string& path, int n) {
  if (n <= 1) return path;
  const std::size_t nameStart = path.find_last_of("\\/") + 1;
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();
  return path.substr(0, dot) + " (" + std::to_string(n) + ")" + path.substr(dot);
}

std::string ManifestTime(const sys::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

std::string ContentChecksum(const std::string& content) {
  if (content.empty()) return ChecksumText(std::nullopt);
  clsCRC crc;
  return ChecksumText(crc.CalculateBytes(reinterpret_cast<const unsigned char*>(content.data()), content.size()));
}

Quarantine::Quarantine(std::string folder, sys::FileSystem& files, const sys::Clock& clock)
    : folder_(std::move(folder)), files_(files), clock_(clock) {
  // The window's folder is written as a Windows path in every build.
  if (!folder_.empty() && folder_.back() != '\\') folder_ = sys::WithSeparator(folder_);
}

std::string Quarantine::Separated(const std::string& folder) const {
  return FolderPart(folder).size() == folder.size() ? "" : std::string(1, folder_.back());
}

std::string Quarantine::FolderPart(const std::string& path) const {
  const char separators[] = {'/', folder_.empty() ? sys::kPathSeparator : folder_.back(), '\0'};
  const std::size_t cut = path.find_last_of(separators);
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::vector<ManifestRecord> Quarantine::Records() {
  return ParseManifest(files_.Read(ManifestPath()).value_or(""));
}

bool Quarantine::Record(const ManifestRecord& record) {
  // A line cut short by a program that died while writing it stays alone on
  // its line. Only the last byte tells: a quarantine of thousands of lines
  // appends as fast as an empty one.
  const std::optional<std::string> last = files_.ReadTail(ManifestPath(), 1);
  const std::string start = last && !last->empty() && last->back() != '\n' ? "\r\n" : "";
  return files_.AppendText(ManifestPath(), start + ManifestLine(record));
}

int Quarantine::FirstUntried(const std::string& name) const {
  const auto it = untried_.find(name);
  return it == untried_.end() ? 1 : it->second;
}

void Quarantine::Taken(const std::string& name, int attempt) {
  int& untried = untried_.try_emplace(name, 1).first->second;
  untried = std::max(untried, attempt + 1);
}

std::vector<QuarantineEntry> Quarantine::List() {
  std::map<std::string, ManifestRecord> latest;
  for (ManifestRecord& r : Records()) {
    if (r.kind == ManifestRecord::Kind::Quarantined) latest[r.name] = std::move(r);
  }
  std::vector<QuarantineEntry> entries;
  for (const std::string& name : files_.FileNames(folder_)) {
    if (name == kManifestName) continue;
    QuarantineEntry e;
    e.name = name;
    e.path = folder_ + name;
    const std::optional<sys::FileIdentity> identity = files_.Identify(e.path);
    e.size = identity ? identity->size : 0;
    auto it = latest.find(name);
    if (it != latest.end() && it->second.size == e.size) {
      const ManifestRecord& r = it->second;
      e.id = r.id;
      e.original = r.original;
      e.virus = r.virus;
      e.time = r.time;
      e.checksum = r.checksum;
      e.attributes = r.attributes;
    }
    entries.push_back(std::move(e));
  }
  std::sort(entries.begin(), entries.end(), [](const QuarantineEntry& a, const QuarantineEntry& b) {
    if (a.KnownOrigin() != b.KnownOrigin()) return a.KnownOrigin();
    return a.KnownOrigin() ? a.id < b.id : a.name < b.name;
  });
  return entries;
}

bool Quarantine::MakeFolders(const std::string& folder) {
  if (folder.empty() || !files_.Gone(folder)) return true;
  std::string trimmed = folder;
  while (!trimmed.empty() && FolderPart(trimmed).size() == trimmed.size()) trimmed.pop_back();
  return MakeFolders(FolderPart(trimmed)) && files_.MakeFolder(folder);
}

RestoreOutcome Quarantine::Restore(const QuarantineEntry& entry, const std::string& intoFolder) {
  const std::string wanted = entry.KnownOrigin() ? entry.original
                             : intoFolder.empty()  ? std::string()
                                                   : intoFolder + Separated(intoFolder) + WithoutVirEnding(entry.name);
  if (wanted.empty()) return {false, "", "origin unknown: a folder to restore into is needed"};
  if (!MakeFolders(FolderPart(wanted))) return {false, "", "cannot make the folder " + FolderPart(wanted)};
  const std::optional<sys::FileIdentity> identity = files_.Identify(entry.path);
  if (!identity) return {false, "", "no longer in the quarantine"};
  for (int n = 1; n <= kNameAttempts; ++n) {
    const std::string target = NumberedCopy(wanted, n);
    if (!files_.Gone(target)) continue;
    const sys::ChangeResult result = files_.MoveChecked(entry.path, *identity, target);
    if (result == sys::ChangeResult::TargetExists) continue;
    if (result != sys::ChangeResult::Done) return {false, "", "cannot move it to " + target};
    if (entry.attributes) files_.SetAttributes(target, entry.attributes);
    ManifestRecord restored{.kind = ManifestRecord::Kind::Restored, .time = Now(), .original = target,
                            .name = entry.name, .virus = entry.virus, .size = entry.size,
                            .checksum = entry.checksum, .attributes = entry.attributes};
    Record(restored);
    return {true, target, ""};
  }
  return {false, "", "every name beside " + wanted + " is taken"};
}

bool Quarantine::Delete(const QuarantineEntry& entry) {
  const std::optional<sys::FileIdentity> identity = files_.Identify(entry.path);
  return identity && files_.RemoveChecked(entry.path, *identity) == sys::ChangeResult::Done;
}

bool Quarantine::TrustsFound(const Detection& found, std::optional<std::string_view> content) {
  const auto& trusted = TrustedFiles();
  // Nothing trusted: no checksum, and no read of a file the scan did not keep.
  if (trusted.empty()) return false;
  const std::optional<std::string> read = content ? std::optional<std::string>(*content) : files_.Read(found.path);
  return read && trusted.count({found.size, ContentChecksum(*read)}) > 0;
}

bool Quarantine::Trusts(std::int64_t size, const std::string& checksum) {
  return TrustedFiles().count({size, checksum}) > 0;
}

const std::set<std::pair<std::int64_t, std::string>>& Quarantine::TrustedFiles() {
  std::string text = files_.Read(ManifestPath()).value_or("");
  if (text != trustedFrom_) {
    trusted_.clear();
    for (const ManifestRecord& r : ParseManifest(text)) {
      if (r.kind == ManifestRecord::Kind::Restored && heuristics::IsHeuristicName(r.virus)) trusted_.insert({r.size, r.checksum});
    }
    trustedFrom_ = std::move(text);
  }
  return trusted_;
}

}  // namespace tarvex
