#pragma once
// Delete and quarantine: every infected file of the result list is deleted, or
// moved into C:\Karantina\, after any process running from it has been ended.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/program_files.h"
#include "scan/detection.h"
#include "system/file_system.h"

namespace tarvex {

// What the action changes of the main window, which lists the rows it works on.
class RemedyHost {
 public:
  virtual ~RemedyHost() = default;
  // Removes row `index` (from 1) of the result list.
  virtual void RemoveRow(std::size_t index) = 0;
  // The progress bar and lblPercentComplete.
  virtual void ShowPercent(int percent) = 0;
  // The counters at the end: the rows left (found) and no file examined.
  virtual void ShowCounts(std::size_t rowsLeft) = 0;
  virtual void ShowStatus(const std::string& text) = 0;
  virtual void ListProcesses() = 0;
  // Rebuilds the process table and ends a process started from `path`.
  virtual void StopProcessOf(const std::string& path) = 0;
};

// Moves the file into `folder` (ending in its separator) as its own name +
// "_vir", and when that is taken + "_vir2", "_vir3", ...; gives the new path,
// or no value when the file stays where it was. Attributes and running
// processes are the caller's.
std::optional<std::string> MoveIntoFolder(const std::string& path, const std::string& folder, sys::FileSystem& files);

// `aksi` "hapus" deletes; anything else quarantines, and "karantina" first
// makes the quarantine folder. Rows are worked from the last to the first; a
// row leaves the list when its file was deleted or moved, or was already gone,
// and the summary counts only the files deleted or moved.
void tindakan(const std::string& aksi, const std::vector<Detection>& rows, RemedyHost& host, sys::FileSystem& files);

}  // namespace tarvex
