#include "scan/two_pass_scan.h"

#include <algorithm>
#include <stdexcept>

#include "scan/listing_reuse.h"
#include "system/console.h"
#include "system/file_read.h"
#include "system/files.h"

namespace tarvex {

namespace {

const ScanServices& Checked(const ScanServices& s) {
  if (!s.folderListable) throw std::invalid_argument("ScanServices: folderListable must be given");
  return s;
}

// A scan runs from here to the end of the scope, however it ends; a stop
// request is heard by this scan only.
class RunningScope {
 public:
  RunningScope(bool& running, bool& stopRequested) : running_(running), stopRequested_(stopRequested) {
    running_ = true;
    stopRequested_ = false;
  }
  ~RunningScope() { running_ = stopRequested_ = false; }

 private:
  bool& running_;
  bool& stopRequested_;
};

}  // namespace

ScanServices SystemScanServices() {
  return {.directories = SystemDirectories(),
          .folderListable = sys::FolderListable,
          .readHead = sys::ReadFileHead,
          .engine = SystemEngineServices()};
}

TwoPassScan::TwoPassScan(ScanSink& sink, ScanServices services)
    : sink_(sink),
      services_(Checked(services)),
      engine_(services_.engine),
      heuristics_({.directories = services_.directories,
                   .readHead = services_.readHead,
                   .check = [this](const std::string& folder, const std::string& name) {
                     return engine_.CheckSelection(folder, name);
                   }}) {}

ScanCounts TwoPassScan::Run(const std::vector<ScanRoot>& roots) {
  RunningScope running(running_, stopRequested_);
  counts_ = ScanCounts();
  reported_.clear();
  engine_.ResetBytesRead();
  const char separator = services_.directories.Separator();
  std::vector<std::string> startFolders;
  for (const ScanRoot& root : roots) {
    std::string folder = root.isFile ? sys::FolderOf(root.path) : root.path;
    if (folder.empty() || folder.back() != separator) folder += separator;
    startFolders.push_back(std::move(folder));
  }
  heuristics_.StartScan(std::move(startFolders));
  roots_ = &roots;
  MENGANALISA(Kerja::Hitung);
  MENGANALISA(Kerja::Pindai);
  roots_ = nullptr;
  counts_.stopped = stopRequested_;
  return counts_;
}

void TwoPassScan::MENGANALISA(Kerja kerja) {
  kerja_ = kerja;
  sink_.PassStarted(kerja);
  // The counting pass's count is the scan's; the scanning pass counts what it examined.
  std::uint64_t scanned = 0;
  std::uint64_t& walked = kerja == Kerja::Hitung ? counts_.counted : scanned;
  ListingReuse directories(services_.directories);
  for (const ScanRoot& root : *roots_) {
    if (!root.isFile) {
      MENCARI_VIRUS(root.path, "*.*", walked, kerja, directories);
      continue;
    }
    // A single file goes through the same per-file work as a walked one.
    if (stopRequested_) continue;
    const std::size_t cut = sys::FolderOf(root.path).size();
    if (kerja == Kerja::Pindai) ExamineFile(root.path.substr(0, cut), root.path.substr(cut));
    ++walked;
    DoEvents();
  }
  DoEvents();
  sink_.PassEnded(kerja, counts_);
}

void TwoPassScan::MENCARI_VIRUS(const std::string& path, const std::string& SearchStr, std::uint64_t& FileCount,
                                Kerja kerja, DirectorySource& directories) {
  FolderWalk walk(directories, path, SearchStr);
  while (const std::optional<FolderWalk::Step> step = walk.Next(stopRequested_)) {
    switch (*step) {
      case FolderWalk::Step::Listed: FolderListed(walk.Folder(), walk.Entries()); break;
      case FolderWalk::Step::File:
        if (kerja == Kerja::Pindai) ExamineFile(walk.Folder(), walk.Name());
        ++FileCount;
        DoEvents();
        break;
      case FolderWalk::Step::Left: DoEvents(); break;
    }
  }
}

void TwoPassScan::FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries) {
  if (kerja_ != Kerja::Pindai) return;
  ++counts_.folders;
  heuristics_.FolderListed(folder, entries);
  if (entries.empty() && !services_.folderListable(folder)) sink_.Problem(ScanProblem::FolderUnreadable, folder);
}

void TwoPassScan::ExamineFile(const std::string& folder, const std::string& name) {
  sink_.Examining(folder, name, counts_);
  try {
    const CheckedFile file = engine_.CheckSelection(folder, name);
    if (file.unreadable) sink_.Problem(ScanProblem::FileUnreadable, folder + name);
    if (file.found) Report(*file.found);
    if (useHeuristics_) {
      for (const Detection& found : heuristics_.Check(folder, name, file)) Report(found);
    }
  } catch (...) {
    // A failing check costs this file its verdict, never the scan.
    sink_.Problem(ScanProblem::CheckFailed, folder + name);
  }
  // No file stays open behind the scan: a flash disk must be free to go.
  engine_.Release();
  ++counts_.examined;
  sink_.Examined(counts_);
}

void TwoPassScan::DoEvents() {
  // The counting pass has nothing else to show its progress by.
  if (kerja_ == Kerja::Hitung) sink_.Counting(counts_.counted);
  sink_.DoEvents();
}

void TwoPassScan::Report(const Detection& detection) {
  // One row a file: a file a shortcut starts is named with the shortcut, and
  // not again when the walk reaches it.
  if (!reported_.insert(detection.path).second) return;
  ++counts_.detections;
  sink_.Detected(detection);
}

}  // namespace tarvex
