#include "windows/database_replacement.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "signatures/database_check.h"

namespace tarvex {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

// The system's wildcard also matches some longer extensions through the
// files' short names; only a name that really ends in ".db" counts.
bool EndsInDb(const std::string& name) { return name.size() >= 3 && SameLetters(name.substr(name.size() - 3), ".db"); }

using Bytes = std::vector<unsigned char>;

bool IsValidDatabase(const Bytes& bytes) {
  return CheckDatabaseText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())).ok();
}

}  // namespace

std::optional<sys::FoundFile> DownloadedDatabase(sys::ReplacementFiles& files, const std::string& downloads) {
  std::optional<sys::FoundFile> newest;
  for (sys::FoundFile& f : files.Find(downloads, "Tarvex*.db")) {
    if (!EndsInDb(f.name)) continue;
    bool better = !newest || f.lastWrite > newest->lastWrite ||
                  (f.lastWrite == newest->lastWrite && SameLetters(f.name, "Tarvex.db"));
    if (better) newest = std::move(f);
  }
  return newest;
}

Replacement ReplaceDatabase(sys::ReplacementFiles& files, const std::string& databasePath,
                            const std::optional<std::string>& downloads) {
  if (!downloads) return Replacement::NothingNew;
  std::optional<sys::FoundFile> candidate = DownloadedDatabase(files, *downloads);
  if (!candidate) return Replacement::NothingNew;
  // A download left lying in the folder from long ago, or a stray file of the
  // same name, must never take the place of a newer database.
  std::optional<std::int64_t> installedTime = files.LastWrite(databasePath);
  if (!installedTime) return Replacement::Failed;
  if (candidate->lastWrite <= *installedTime) return Replacement::NothingNew;

  // The length first, so that a huge file is never read into memory.
  std::optional<std::int64_t> length = files.Length(candidate->path);
  if (!length || *length > static_cast<std::int64_t>(kMaxDatabaseBytes)) return Replacement::Failed;
  std::optional<Bytes> fresh = files.Read(candidate->path);
  std::optional<Bytes> installed = files.Read(databasePath);
  if (!fresh || !installed) return Replacement::Failed;
  if (*fresh == *installed) return Replacement::NothingNew;
  if (!IsValidDatabase(*fresh)) return Replacement::Failed;

  const std::string temporary = databasePath + ".new";
  bool ok = files.WriteFlushed(temporary, *fresh) && files.WriteFlushed(databasePath + ".bak", *installed) &&
            files.MoveReplacing(temporary, databasePath);
  if (!ok) {
    files.Remove(temporary);
    return Replacement::Failed;
  }
  return Replacement::Replaced;
}

}  // namespace tarvex
