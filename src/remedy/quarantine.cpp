#include "remedy/quarantine.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/sha256.h"
#include "system/files.h"

namespace tarvex {

namespace {

using Outcome = QuarantineOutcome;

// The longest name the file systems take, in bytes (Windows counts UTF-16
// units, never more than UTF-8 bytes).
constexpr std::size_t kLongestName = 255;
// Far more copies than any folder holds; only a file system that calls every
// name taken gets this far.
constexpr int kNameAttempts = 100000;

// A guess of a heuristic rule, which a restore turns into trust.
bool Heuristic(const std::string& virus) { return virus.rfind("Heur.", 0) == 0; }

Outcome FromChange(sys::ChangeResult result, const std::string& reason, const std::string& failure) {
  switch (result) {
    case sys::ChangeResult::Done: return {Outcome::Kind::Done, "", ""};
    case sys::ChangeResult::Gone: return {Outcome::Kind::AlreadyGone, "", "no longer in the quarantine"};
    case sys::ChangeResult::Changed: return {Outcome::Kind::Changed, "", "changed since it was listed"};
    case sys::ChangeResult::TargetExists:
    case sys::ChangeResult::Failed: break;
  }
  return {Outcome::Kind::Failed, "", reason.empty() ? failure : failure + ": " + reason};
}

}  // namespace

std::string QuarantineName(const std::string& name, int attempt) {
  const std::string ending = "_vir" + (attempt > 1 ? std::to_string(attempt) : "");
  std::size_t keep = std::min(name.size(), kLongestName - ending.size());
  while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  return name.substr(0, keep) + ending;
}

std::string WithoutVirEnding(const std::string& name) {
  std::size_t end = name.size();
  while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
  const std::size_t cut = name.rfind("_vir", end);
  return cut != std::string::npos && cut > 0 && cut + 4 == end ? name.substr(0, cut) : name;
}

std::string NumberedCopy(const std::string& name, int n) {
  if (n <= 1) return name;
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) dot = name.size();
  return name.substr(0, dot) + " (" + std::to_string(n) + ")" + name.substr(dot);
}

std::string ManifestTime(const sys::LocalTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

namespace {

// Both digests, fed piece by piece.
class Digesting {
 public:
  void Add(std::string_view part) {
    crc_.AddBytes(reinterpret_cast<const unsigned char*>(part.data()), part.size());
    sha_.Add(part);
    size_ += static_cast<std::int64_t>(part.size());
  }
  ContentDigest Finish() {
    // An empty file has no checksum, as the scan gives it none.
    return {size_, ChecksumText(size_ ? std::optional(crc_.Value()) : std::nullopt), sha_.FinishHex()};
  }

 private:
  clsCRC crc_;
  Sha256 sha_;
  std::int64_t size_ = 0;
};

}  // namespace

ContentDigest DigestOf(std::string_view content) {
  Digesting digest;
  digest.Add(content);
  return digest.Finish();
}

std::optional<ContentDigest> DigestOf(sys::CheckedFile& file) {
  Digesting digest;
  if (!file.ReadAll([&digest](std::string_view part) { digest.Add(part); })) return std::nullopt;
  return digest.Finish();
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
  const sys::TextRead read = files_.ReadText(ManifestPath(), kManifestLimit);
  problem_.clear();
  switch (read.kind) {
    case sys::TextRead::Kind::Read: return ParseManifest(read.text);
    case sys::TextRead::Kind::Missing: return {};
    case sys::TextRead::Kind::NotRegular: problem_ = "is no ordinary file"; break;
    case sys::TextRead::Kind::TooLarge:
      problem_ = "is larger than " + std::to_string(kManifestLimit >> 20) + " MiB";
      break;
    case sys::TextRead::Kind::Failed: problem_ = "cannot be read"; break;
  }
  problem_ = "the quarantine's manifest " + ManifestPath() + " " + problem_;
  return {};
}

std::string Quarantine::Record(const ManifestRecord& record) {
  // A line cut short by a program that died while writing it stays alone on its line.
  if (files_.AppendText(ManifestPath(), ManifestLine(record), true)) return "";
  const bool odd = files_.ReadText(ManifestPath(), 0).kind == sys::TextRead::Kind::NotRegular;
  return "the quarantine's manifest " + ManifestPath() + (odd ? " is no ordinary file" : " cannot be written");
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
    e.identity = files_.Identify(e.path);
    e.size = e.identity ? e.identity->size : 0;
    auto it = latest.find(name);
    if (it != latest.end() && it->second.size == e.size) {
      const ManifestRecord& r = it->second;
      e.id = r.id;
      e.original = r.original;
      e.virus = r.virus;
      e.time = r.time;
      e.checksum = r.checksum;
      e.sha256 = r.sha256;
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

Outcome Quarantine::Restore(const QuarantineEntry& entry, const std::string& intoFolder) {
  const std::string ownName =
      entry.KnownOrigin() ? entry.original.substr(FolderPart(entry.original).size()) : WithoutVirEnding(entry.name);
  const std::string wanted = !intoFolder.empty()   ? intoFolder + Separated(intoFolder) + ownName
                             : entry.KnownOrigin() ? entry.original
                                                   : std::string();
  if (wanted.empty()) return {Outcome::Kind::Failed, "", "origin unknown: a folder to restore into is needed"};
  if (ownName.empty() || wanted.find('\0') != std::string::npos)
    return {Outcome::Kind::Failed, "", "the path " + wanted + " names no file"};
  if (!entry.identity) return {Outcome::Kind::AlreadyGone, "", "no longer in the quarantine"};
  sys::CheckedOpen opened = files_.OpenChecked(entry.path, *entry.identity);
  if (!opened.file) return FromChange(opened.result, opened.reason, "cannot open it");
  sys::CheckedFile& file = *opened.file;
  // The restore's line vouches for what goes back, not for what its first line said.
  const std::optional<ContentDigest> digest = DigestOf(file);
  if (!digest) return {Outcome::Kind::Failed, "", "cannot read it: " + file.Reason()};
  if (entry.KnownOrigin() && !entry.sha256.empty() && digest->sha256 != entry.sha256)
    return {Outcome::Kind::Changed, "", "its content is not the one its line names"};
  const sys::ReachedFolder folder = files_.ReachFolder(FolderPart(wanted), sys::FolderWay::NoLinks);
  if (!folder.folder) {
    const bool link = folder.kind == sys::ReachedFolder::Kind::Link;
    return {Outcome::Kind::Failed, "", (link ? "a link on the way: " : "cannot reach the folder ") + folder.reason};
  }
  for (int n = 1; n <= kNameAttempts; ++n) {
    const std::string name = NumberedCopy(ownName, n);
    const sys::ChangeResult result = file.MoveInto(*folder.folder, name, entry.attributes);
    if (result == sys::ChangeResult::TargetExists) continue;
    Outcome outcome = FromChange(result, file.Reason(), "cannot move it to " + folder.folder->Path() + name);
    if (outcome.Done()) {
      outcome.path = folder.folder->Path() + name;
      Record({.kind = ManifestRecord::Kind::Restored, .time = Now(), .original = outcome.path, .name = entry.name,
              .virus = entry.virus, .size = digest->size, .checksum = digest->checksum,
              .attributes = entry.attributes, .sha256 = digest->sha256});
    }
    return outcome;
  }
  return {Outcome::Kind::Failed, "", "every name beside " + wanted + " is taken"};
}

Outcome Quarantine::Delete(const QuarantineEntry& entry) {
  if (!entry.identity) return {Outcome::Kind::AlreadyGone, "", "no longer in the quarantine"};
  sys::CheckedOpen opened = files_.OpenChecked(entry.path, *entry.identity);
  if (!opened.file) return FromChange(opened.result, opened.reason, "cannot open it");
  return FromChange(opened.file->Remove(), opened.file->Reason(), "cannot delete it");
}

void Quarantine::ReadTrust() {
  trusted_.clear();
  // A restore trusts only what a heuristic rule had put into the quarantine.
  std::set<std::tuple<std::string, std::int64_t, std::string>> guesses;
  for (const ManifestRecord& r : Records()) {
    if (r.sha256.empty() || !Heuristic(r.virus)) continue;
    if (r.kind == ManifestRecord::Kind::Quarantined) {
      guesses.insert({r.name, r.size, r.sha256});
    } else if (guesses.count({r.name, r.size, r.sha256})) {
      trusted_.insert({r.size, r.sha256});
    }
  }
}

bool Quarantine::TrustsFound(const Detection& found, std::optional<std::string_view> content) {
  // Nothing trusted: no digest, and no read of a file the scan did not keep.
  if (trusted_.empty()) return false;
  std::optional<ContentDigest> digest;
  if (content) {
    digest = DigestOf(*content);
  } else if (found.identity) {
    sys::CheckedOpen opened = files_.OpenChecked(found.path, *found.identity);
    if (opened.file) digest = DigestOf(*opened.file);
  }
  return digest && trusted_.count({digest->size, digest->sha256}) > 0;
}

}  // namespace tarvex
