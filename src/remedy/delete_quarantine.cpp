#include "remedy/delete_quarantine.h"

#include "scan/scan_progress.h"

namespace tarvex {

namespace {

// Far more same-named files than any quarantine holds; only a file system that
// calls every name taken would get this far.
constexpr int kQuarantineAttempts = 100000;

bool MoveToQuarantine(const std::string& path, sys::FileSystem& files) {
  return MoveIntoFolder(path, kQuarantineFolder, files).has_value();
}

bool Act(bool hapus, const std::string& path, sys::FileSystem& files) {
  files.SetNormalAttributes(path);
  return hapus ? files.Remove(path) : MoveToQuarantine(path, files);
}

std::string QuarantineName(const std::string& folder, const std::string& name, int attempt) {
  return folder + name + "_vir" + (attempt > 1 ? std::to_string(attempt) : "");
}

}  // namespace

// A file already in the folder is never overwritten: the next free name is used.
std::optional<std::string> MoveIntoFolder(const std::string& path, const std::string& folder, sys::FileSystem& files) {
  // Nothing found means no name to build a target from: the file stays.
  std::optional<std::string> name = files.VisibleFileName(path);
  if (!name) return std::nullopt;
  for (int attempt = 1; attempt <= kQuarantineAttempts; ++attempt) {
    std::string target = QuarantineName(folder, *name, attempt);
    sys::MoveResult result = files.Move(path, target);
    if (result == sys::MoveResult::Moved) return target;
    if (result != sys::MoveResult::TargetExists) return std::nullopt;
  }
  return std::nullopt;
}

void tindakan(const std::string& aksi, const std::vector<Detection>& rows, RemedyHost& host, sys::FileSystem& files) {
  const bool hapus = aksi == "hapus";
  const std::size_t n = rows.size();
  if (n == 0) {
    host.ShowStatus(hapus ? "Tak ada virus yang dihapus..." : "Tak ada virus yang dikarantina...");
    return;
  }
  if (aksi == "karantina") files.MakeFolder(kQuarantineFolder);

  std::size_t done = 0, left = n;
  for (std::size_t k = 1; k <= n; ++k) {
    // From the last row up, so removing a row never renumbers one still to come.
    const std::size_t r = n - k + 1;
    const std::string& path = rows[r - 1].path;
    if (files.Gone(path)) {
      // Deleted or moved by something else since the scan: nothing is left
      // to act on, and a row kept for it could never leave the list.
      host.RemoveRow(r);
      --left;
    } else {
      host.StopProcessOf(path);
      if (Act(hapus, path, files)) {
        host.RemoveRow(r);
        ++done;
        --left;
      }
    }
    host.ShowPercent(PercentComplete(n, k - 1).value_or(0));
  }
  host.ListProcesses();
  host.ShowPercent(100);

  host.ShowCounts(left);
  host.ShowStatus(std::to_string(done) + (hapus ? " virus telah dihapus..."
                                                   : " virus telah dipindahkan ke folder 'C:\\Karantina\\' ..."));
}

}  // namespace tarvex
