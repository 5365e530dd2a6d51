#include "scan/two_pass_scan.h"

#include <algorithm>
#include <stdexcept>

#include "scan/heuristics.h"
#include "scan/listing_reuse.h"
#include "system/files.h"

namespace tarvex {

namespace {

const ScanServices& Checked(const ScanServices& s) {
  if (!s.folderListable || !s.readHead)
    throw std::invalid_argument("ScanServices: folderListable and readHead must be given");
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

// A file that had a check due and could not be read is the sink's to hear of.
EngineServices TellingUnreadable(EngineServices engine, ScanSink& sink) {
  engine.readFailed = [&sink, given = engine.readFailed](const std::string& path) {
    if (given) given(path);
    sink.Problem(ScanProblem::FileUnreadable, path);
  };
  return engine;
}

}  // namespace

TwoPassScan::TwoPassScan(ScanSink& sink, ScanServices services)
    : sink_(sink),
      services_(Checked(services)),
      engine_(*this, TellingUnreadable(services_.engine, sink)) {}

ScanCounts TwoPassScan::Run(const std::vector<ScanRoot>& roots) {
  RunningScope running(running_, stopRequested_);
  counts_ = ScanCounts();
  engine_.ResetBytesRead();
  const char separator = services_.directories.Separator();
  startFolders_.clear();
  for (const ScanRoot& root : roots) {
    std::string folder = root.isFile ? sys::FolderOf(root.path) : root.path;
    if (folder.empty() || folder.back() != separator) folder += separator;
    startFolders_.push_back(std::move(folder));
  }
  listedFolder_.clear();
  listedHidden_ = {};
  roots_ = &roots;
  MENGANALISA(Kerja::Hitung);
  MENGANALISA(Kerja::Pindai);
  roots_ = nullptr;
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
      std::string path = root.path;
      MENCARI_VIRUS(path, "*.*", walked, kerja, *this, directories);
      continue;
    }
    // A single file goes through the same per-file work as a walked one.
    if (StopRequested()) continue;
    const std::size_t cut = sys::FolderOf(root.path).size();
    if (kerja == Kerja::Pindai) ExamineFile(root.path.substr(0, cut), root.path.substr(cut));
    ++walked;
    DoEvents();
  }
  DoEvents();
  sink_.PassEnded(kerja, counts_);
}

void TwoPassScan::FolderListed(const std::string& folder, const std::vector<sys::DirEntry>& entries) {
  if (kerja_ != Kerja::Pindai) return;
  ++counts_.folders;
  listedFolder_ = folder;
  listedHidden_ = heuristics::HiddenFolders(entries);
  if (entries.empty() && !services_.folderListable(folder)) sink_.Problem(ScanProblem::FolderUnreadable, folder);
}

void TwoPassScan::ExamineFile(const std::string& folder, const std::string& name) {
  sink_.Examining(folder, name, counts_);
  try {
    const bool reported = engine_.CheckSelection(folder, name);
    if (!reported && useHeuristics_) CheckHeuristics(folder, name);
  } catch (...) {
    // A failing check costs this file its verdict, never the scan.
    sink_.Problem(ScanProblem::CheckFailed, folder + name);
  }
  ++counts_.examined;
  sink_.Examined(counts_);
}

bool TwoPassScan::AutorunPlace(const std::string& folder) const {
  const bool driveRoot = folder.size() == 3 && folder[1] == ':' && folder[2] == services_.directories.Separator();
  return driveRoot || std::find(startFolders_.begin(), startFolders_.end(), folder) != startFolders_.end();
}

void TwoPassScan::CheckHeuristics(const std::string& folder, const std::string& name) {
  // The quarantine holds what was caught already; a file with no length is gone.
  const std::optional<std::int64_t>& length = engine_.LastLength();
  if (InQuarantine(folder) || !length) return;
  const std::optional<std::string_view> content = engine_.LastContent();
  const std::string path = folder + name;
  std::optional<std::string_view> rule;
  if (heuristics::IsAutorunName(name)) {
    // A real autorun.inf is a few lines: one too big to be read whole is no concern here.
    if (content && AutorunPlace(folder) && heuristics::AutorunStartsProgram(*content)) rule = heuristics::kAutorun;
  } else {
    static const heuristics::HiddenFolders kNone;
    // A single file given as a root: its folder was not listed.
    const heuristics::HiddenFolders& beside = folder == listedFolder_ ? listedHidden_ : kNone;
    // Whether the name could fit a rule at all, before any byte is read for it.
    if (!heuristics::FileHeuristic(name, "MZ", beside)) return;
    const std::string head = content ? std::string(content->substr(0, heuristics::kHeadBytes))
                                     : services_.readHead(path, heuristics::kHeadBytes);
    rule = heuristics::FileHeuristic(name, head, beside);
  }
  if (rule) Detected({path, std::string(*rule), *length, heuristics::kRemark});
}

void TwoPassScan::DoEvents() {
  // The counting pass has nothing else to show its progress by.
  if (kerja_ == Kerja::Hitung) sink_.Counting(counts_.counted);
  sink_.DoEvents();
}

void TwoPassScan::Detected(const Detection& detection) {
  ++counts_.detections;
  sink_.Detected(detection);
}

}  // namespace tarvex
