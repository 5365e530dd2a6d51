#pragma once
// One scan, the main window's and the console's alike: the counting pass
// over every root, then the scanning pass with the engine's checks. What it
// finds and how far it got is told to a ScanSink as it goes.
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "scan/folder_walk.h"
#include "scan/heuristic_checks.h"
#include "scan/scan_engine.h"
#include "scan/scan_sink.h"

namespace tarvex {

// A folder to walk, or a single file.
struct ScanRoot {
  std::string path;
  bool isFile = false;
};

// What a scan reads; all of it must be given.
struct ScanServices {
  DirectorySource& directories;
  // Whether a folder that listed nothing can be listed at all.
  std::function<bool(const std::string& folder)> folderListable;
  // The first bytes of a file, for the heuristics when the checks did not read it.
  std::function<std::string(const std::string& path, std::size_t count)> readHead;
  EngineServices engine;
};

// The system's listing, files and database reader: what the window's scan
// and the console's read.
ScanServices SystemScanServices();

class TwoPassScan {
 public:
  TwoPassScan(ScanSink& sink, ScanServices services);
  TwoPassScan(const TwoPassScan&) = delete;
  TwoPassScan& operator=(const TwoPassScan&) = delete;

  // Before a scan: the database is read again only when it changed. `mark`
  // is the checksum text the user marked as a virus, empty for none.
  CrcDatabase::State PrepareDatabase(const std::string& path, const std::string& mark) {
    return engine_.PrepareScan(path, mark);
  }
  const DatabaseHealth& Health() const { return engine_.Database().Table().Health(); }

  // Both passes over `roots`, in order. A stop request ends the walk at its
  // next poll; the passes still begin and end, with nothing left to walk.
  ScanCounts Run(const std::vector<ScanRoot>& roots);

  // Heard by the running scan at its next poll; none is running, nothing happens.
  void RequestStop() { stopRequested_ = running_; }
  // A stop was asked for and the scan is winding down.
  bool Stopping() const { return stopRequested_; }
  std::uint64_t BytesRead() const { return engine_.BytesRead(); }
  // The heuristic rules after the other checks (on unless switched off).
  void UseHeuristics(bool on) { useHeuristics_ = on; }
  // Asked of every heuristic find, with the file's content when the checks
  // read it: true keeps it off the list (a file the user restored from the
  // quarantine, and so vouched for). Signature and pattern finds never ask.
  void TrustHeuristicFinds(HeuristicChecks::TrustedFind trusted) { heuristics_.Trust(std::move(trusted)); }

 private:
  // One pass over every root.
  void MENGANALISA(Kerja kerja);
  // The pass's loop over the walk of one folder: each file examined (in the
  // scanning pass) and counted, a turn of the event queue after every file
  // and every folder, and a stop heard before the next file or folder.
  void MENCARI_VIRUS(const std::string& path, const std::string& SearchStr, std::uint64_t& FileCount, Kerja kerja,
                     DirectorySource& directories);
  // Every entry of a folder the walk has just listed (`folder` ends in the
  // separator), before any of its files is looked at.
  void FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries);
  // The per-file work of the scanning pass.
  void ExamineFile(const std::string& folder, const std::string& name);
  // Hands control to the event queue, so timers tick and Stop can be clicked.
  void DoEvents();
  // Tells a row to the sink, once for each file.
  void Report(const Detection& detection);

  ScanSink& sink_;
  ScanServices services_;
  ScanEngine engine_;
  HeuristicChecks heuristics_;
  bool useHeuristics_ = true;
  const std::vector<ScanRoot>* roots_ = nullptr;
  Kerja kerja_ = Kerja::Hitung;
  ScanCounts counts_;
  std::set<std::string> reported_;  // the paths of this scan's rows
  bool stopRequested_ = false;
  bool running_ = false;
};

}  // namespace tarvex
