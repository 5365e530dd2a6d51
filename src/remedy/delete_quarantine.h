#pragma once
// Delete and quarantine: every infected file of the result list is deleted, or
// moved into C:\Karantina\, after any process running from it has been ended.
#include <cstddef>
#include <string>

#include "system/file_system.h"

namespace tarvex {

// What the action reads and writes of the main window.
class RemedyHost {
 public:
  virtual ~RemedyHost() = default;
  virtual std::size_t RowCount() const = 0;
  // The path column of row `index` (from 1).
  virtual std::string RowPath(std::size_t index) const = 0;
  virtual void RemoveRow(std::size_t index) = 0;
  virtual std::string VirusCountText() const = 0;  // lblJumlahVirus
  virtual void SetVirusCountText(const std::string& text) = 0;
  virtual void SetCheckedCountText(const std::string& text) = 0;  // lblFileDiperiksa
  virtual void SetStatusText(const std::string& text) = 0;
  // The progress bar and lblPercentComplete.
  virtual void ShowPercent(int percent) = 0;
  virtual void ListProcesses() = 0;
  // Rebuilds the process table and ends a process started from `path`.
  virtual void StopProcessOf(const std::string& path) = 0;
};

inline constexpr const char* kQuarantineFolder = "C:\\Karantina\\";

// The quarantine path of a file whose own name is `name`: name + "_vir", and
// when that is taken name + "_vir2", "_vir3", ... (`attempt` counts from 1).
std::string QuarantineName(const std::string& name, int attempt);

// `aksi` "hapus" deletes; anything else quarantines, and "karantina" first
// makes the quarantine folder. Rows are worked from the last to the first; a
// row leaves the list when its file was deleted or moved, or was already gone,
// and the summary counts only the files deleted or moved.
void tindakan(const std::string& aksi, RemedyHost& host, sys::FileSystem& files);

}  // namespace tarvex
