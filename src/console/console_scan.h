#pragma once
// One console scan: the window's two passes over every root (the counting
// pass, then the scanning pass with the engine's checks), reporting rows as
// they are found instead of showing them. It ends no process: a console scan
// reports and changes nothing.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scan/folder_walk.h"
#include "scan/scan_engine.h"

namespace tarvex::console {

// A path given on the command line, as the scan takes it.
struct ScanRoot {
  std::string path;
  bool isFile = false;  // a single file rather than a folder to walk
};

struct ScanTotals {
  std::uint64_t folders = 0;        // folders walked in the scanning pass
  std::uint64_t filesCounted = 0;   // by the counting pass
  std::uint64_t filesExamined = 0;  // by the scanning pass, skipped ones included
  std::uint64_t detections = 0;
  std::uint64_t bytesRead = 0;
  double seconds = 0;
};

// What the scan tells as it goes.
class ScanListener {
 public:
  virtual ~ScanListener() = default;
  virtual void Counting(std::uint64_t /*filesSoFar*/) {}
  virtual void Examining(const std::string& /*folder*/, const std::string& /*name*/, std::uint64_t /*examined*/,
                         std::uint64_t /*total*/) {}
  virtual void Detected(const ResultRow& /*row*/) {}
  // A folder or file that could not be read; the scan goes on without it.
  virtual void Problem(const std::string& /*text*/) {}
};

// What a console scan needs from the system; SystemConsoleServices() gives
// the real ones, tests their own.
struct ConsoleServices {
  DirectorySource& directories;
  std::function<bool(const std::string& folder)> folderListable;
  std::function<std::optional<std::uint32_t>(const std::string& path)> attributes;
  EngineServices engine;
};
ConsoleServices SystemConsoleServices();

// The roots for the paths as given: no value and `error` set when one of
// them does not exist.
std::optional<std::vector<ScanRoot>> ResolveRoots(const std::vector<std::string>& paths, std::string& error,
                                                  const ConsoleServices& services);

class ConsoleScan : private WalkHost, private DetectionHost {
 public:
  ConsoleScan(const std::string& databasePath, ScanListener& listener, ConsoleServices services);
  ConsoleScan(const ConsoleScan&) = delete;
  ConsoleScan& operator=(const ConsoleScan&) = delete;

  CrcDatabase::State LoadDatabase() { return engine_.PrepareScan(databasePath_); }
  const DatabaseHealth& DatabaseHealthNow() const { return engine_.Database().Table().Health(); }

  ScanTotals Run(const std::vector<ScanRoot>& roots);

 private:
  class WatchedDirectories;
  void Pass(const std::vector<ScanRoot>& roots, const std::string& kerja, double& fileCount);

  // WalkHost
  bool StopRequested() override { return false; }
  void ExamineFile(const std::string& folder, const std::string& name) override;
  void DoEvents() override;

  // DetectionHost
  std::size_t RowCount() const override { return rows_.size(); }
  std::string RowPath(std::size_t index) const override { return rows_.at(index - 1).path; }
  void AppendRow(ResultRow row) override;
  std::string VirusCountText() const override { return countText_; }
  void SetVirusCountText(const std::string& text) override { countText_ = text; }
  void StopProcessOf(const std::string&) override {}

  std::string databasePath_;
  ScanListener& listener_;
  ConsoleServices services_;
  ScanEngine engine_;
  std::vector<ResultRow> rows_;
  std::string countText_ = "0";
  ScanTotals totals_;
  bool scanning_ = false;
  const double* fileCount_ = nullptr;  // the running pass's count
};

}  // namespace tarvex::console
