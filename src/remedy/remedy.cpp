#include "remedy/remedy.h"

#include <stdexcept>

#include "system/console.h"
#include "system/files.h"

namespace tarvex {

namespace {

using Kind = RemedyOutcome::Kind;

// Far more same-named files than any quarantine holds; only a file system that
// calls every name taken gets this far.
constexpr int kQuarantineAttempts = 100000;

RemedyOutcome FromChange(sys::ChangeResult result, Kind done, const std::string& newPath, const char* failure) {
  switch (result) {
    case sys::ChangeResult::Done: return {done, newPath, ""};
    case sys::ChangeResult::Gone: return {Kind::AlreadyGone, "", ""};
    case sys::ChangeResult::Changed: return {Kind::Changed, "", ""};
    case sys::ChangeResult::TargetExists:
    case sys::ChangeResult::Failed: break;
  }
  return {Kind::Failed, "", failure};
}

}  // namespace

Remedy::Remedy(RemedyServices services) : services_(std::move(services)) {
  if (!services_.stopProcessOf) throw std::invalid_argument("RemedyServices: stopProcessOf missing");
}

RemedyOutcome Remedy::Apply(const FoundFile& found, RemedyAction action, Quarantine& quarantine) {
  const std::string& path = found.detection.path;
  if (services_.files.Gone(path)) return {Kind::AlreadyGone, "", ""};
  if (!found.identity) return {Kind::Failed, "", "it could not be identified when it was found"};
  services_.stopProcessOf(path);
  if (action == RemedyAction::Delete)
    return FromChange(services_.files.RemoveChecked(path, *found.identity), Kind::Deleted, "", "it cannot be deleted");
  return MoveIn(found, quarantine);
}

RemedyOutcome Remedy::MoveIn(const FoundFile& found, Quarantine& quarantine) {
  sys::FileSystem& files = services_.files;
  const std::string& path = found.detection.path;
  const std::string name = path.substr(quarantine.FolderPart(path).size());
  const std::optional<std::string> content = files.Read(path);
  if (!content) return {Kind::Failed, "", "it cannot be read"};
  ManifestRecord record{.kind = ManifestRecord::Kind::Quarantined, .time = quarantine.Now(), .original = path,
                        .virus = sys::AnsiToUtf8(found.detection.virusName),
                        .size = static_cast<std::int64_t>(content->size()), .checksum = ContentChecksum(*content),
                        .attributes = files.Attributes(path).value_or(0)};
  for (int attempt = quarantine.FirstUntried(name); attempt <= kQuarantineAttempts; ++attempt) {
    const std::string target = quarantine.Folder() + QuarantineName(name, attempt);
    // Taken names are passed over before a line is written for them, so that
    // a line never claims a file that was there before it.
    if (!files.Gone(target)) {
      quarantine.Taken(name, attempt);
      continue;
    }
    record.name = target.substr(quarantine.Folder().size());
    if (!quarantine.Record(record)) return {Kind::Failed, "", "the quarantine's manifest cannot be written"};
    const sys::ChangeResult result = files.MoveChecked(path, *found.identity, target);
    if (result == sys::ChangeResult::Done || result == sys::ChangeResult::TargetExists) quarantine.Taken(name, attempt);
    if (result != sys::ChangeResult::TargetExists) return FromChange(result, Kind::Quarantined, target, "it cannot be moved");
  }
  return {Kind::Failed, "", "every quarantine name is taken"};
}

}  // namespace tarvex
