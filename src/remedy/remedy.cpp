#include "remedy/remedy.h"

#include <stdexcept>

#include "system/console.h"

namespace tarvex {

namespace {

using Kind = RemedyOutcome::Kind;

// Far more same-named files than any quarantine holds; only a file system that
// calls every name taken gets this far.
constexpr int kQuarantineAttempts = 100000;

RemedyOutcome FromChange(sys::ChangeResult result, Kind done, const std::string& newPath, const std::string& reason,
                         const char* failure) {
  switch (result) {
    case sys::ChangeResult::Done: return {done, newPath, ""};
    case sys::ChangeResult::Gone: return {Kind::AlreadyGone, "", ""};
    case sys::ChangeResult::Changed: return {Kind::Changed, "", ""};
    case sys::ChangeResult::TargetExists:
    case sys::ChangeResult::Failed: break;
  }
  return {Kind::Failed, "", reason.empty() ? failure : std::string(failure) + ": " + reason};
}

}  // namespace

Remedy::Remedy(RemedyServices services) : services_(std::move(services)) {
  if (!services_.stopProcessOf) throw std::invalid_argument("RemedyServices: stopProcessOf missing");
}

RemedyOutcome Remedy::Apply(const Detection& found, RemedyAction action, Quarantine& quarantine,
                            const std::string& original) {
  // No identity: the name no longer led to the file read when it was found
  // (or the system could not say); whatever it leads to now is left alone.
  if (!found.identity) return {services_.files.Gone(found.path) ? Kind::AlreadyGone : Kind::Changed, "", ""};
  sys::CheckedOpen opened = services_.files.OpenChecked(found.path, *found.identity);
  const bool remove = action == RemedyAction::Delete;
  if (!opened.file)
    return FromChange(opened.result, Kind::Failed, "", opened.reason, remove ? "it cannot be deleted" : "it cannot be moved");
  // The full path, as the process table holds it.
  services_.stopProcessOf(original.empty() ? found.path : original);
  if (remove)
    return FromChange(opened.file->Remove(), Kind::Deleted, "", opened.file->Reason(), "it cannot be deleted");
  return MoveIn(found, *opened.file, quarantine, original.empty() ? found.path : original);
}

RemedyOutcome Remedy::MoveIn(const Detection& found, sys::CheckedFile& file, Quarantine& quarantine,
                             const std::string& original) {
  sys::FileSystem& files = services_.files;
  const std::string name = found.path.substr(quarantine.FolderPart(found.path).size());
  const std::optional<ContentDigest> digest = DigestOf(file);
  if (!digest) return {Kind::Failed, "", "it cannot be read: " + file.Reason()};
  sys::ReachedFolder folder = files.ReachFolder(quarantine.Folder(), sys::FolderWay::AsNamed);
  if (!folder.folder) return {Kind::Failed, "", "the quarantine folder cannot be opened: " + folder.reason};
  ManifestRecord record{.kind = ManifestRecord::Kind::Quarantined, .time = quarantine.Now(), .original = original,
                        .virus = sys::AnsiToUtf8(found.virusName),
                        .size = digest->size, .checksum = digest->checksum, .attributes = file.Attributes(),
                        .sha256 = digest->sha256};
  for (int attempt = quarantine.FirstUntried(name); attempt <= kQuarantineAttempts; ++attempt) {
    const std::string target = QuarantineName(name, attempt);
    // Taken names are passed over before a line is written for them, so that
    // a line never claims a file that was there before it.
    if (!files.Gone(folder.folder->Path() + target)) {
      quarantine.Taken(name, attempt);
      continue;
    }
    record.name = target;
    const std::string problem = quarantine.Record(record);
    if (!problem.empty()) return {Kind::Failed, "", problem};
    const sys::ChangeResult result = file.MoveInto(*folder.folder, target, 0);
    if (result == sys::ChangeResult::Done || result == sys::ChangeResult::TargetExists) quarantine.Taken(name, attempt);
    if (result != sys::ChangeResult::TargetExists)
      return FromChange(result, Kind::Quarantined, folder.folder->Path() + target, file.Reason(), "it cannot be moved");
  }
  return {Kind::Failed, "", "every quarantine name is taken"};
}

}  // namespace tarvex
