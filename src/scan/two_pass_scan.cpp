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
// A program an autorun.inf starts is told of when the walk reaches it, not
// while it is probed (`probing`).
EngineServices TellingUnreadable(EngineServices engine, ScanSink& sink, const bool& probing) {
  engine.readFailed = [&sink, &probing, given = engine.readFailed](const std::string& path) {
    if (probing) return;
    if (given) given(path);
    sink.Problem(ScanProblem::FileUnreadable, path);
  };
  return engine;
}

}  // namespace

// While a program an autorun.inf starts is checked, what the checks find is
// noted, not reported.
class TwoPassScan::ProbeScope {
 public:
  ProbeScope(bool& probing, bool& hit) : probing_(probing) {
    probing_ = true;
    hit = false;
  }
  ~ProbeScope() { probing_ = false; }
  ProbeScope(const ProbeScope&) = delete;
  ProbeScope& operator=(const ProbeScope&) = delete;

 private:
  bool& probing_;
};

TwoPassScan::TwoPassScan(ScanSink& sink, ScanServices services)
    : sink_(sink),
      services_(Checked(services)),
      engine_(*this, TellingUnreadable(services_.engine, sink, probing_)) {}

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
  // No file stays open behind the scan: a flash disk must be free to go.
  engine_.Release();
  ++counts_.examined;
  sink_.Examined(counts_);
}

bool TwoPassScan::AutorunPlace(const std::string& folder) const {
  const bool driveRoot = folder.size() == 3 && folder[1] == ':' && folder[2] == services_.directories.Separator();
  return driveRoot || std::find(startFolders_.begin(), startFolders_.end(), folder) != startFolders_.end();
}

void TwoPassScan::CheckHeuristics(const std::string& folder, const std::string& name) {
  // The quarantine holds what was caught already; a file with no length is
  // gone; the size rule of the checks holds for the rules too.
  const std::optional<std::int64_t> length = engine_.LastLength();
  if (InQuarantine(folder) || !length || TooLargeForAnyCheck(*length)) return;
  const std::string path = folder + name;
  std::optional<std::string_view> rule;
  std::optional<sys::FileIdentity> identity;
  if (heuristics::IsAutorunName(name)) {
    // The programs it starts are read next: what identifies the autorun.inf is taken first.
    if (AutorunPlace(folder)) identity = engine_.LastIdentity();
    if (AutorunPlace(folder) && AutorunCounts(folder, name)) rule = heuristics::kAutorun;
  } else {
    static const heuristics::HiddenFolders kNone;
    // A single file given as a root: its folder was not listed.
    rule = FileRule(path, name, folder == listedFolder_ ? listedHidden_ : kNone);
    if (rule) identity = engine_.LastIdentity();
  }
  if (!rule) return;
  const Detection found{path, std::string(*rule), *length, heuristics::kRemark, identity};
  if (!trusted_ || !trusted_(found, engine_.LastContent())) Detected(found);
}

std::optional<std::string_view> TwoPassScan::FileRule(const std::string& path, const std::string& name,
                                                      const heuristics::HiddenFolders& beside) {
  // Whether the name could fit a rule at all, before any byte is read for it.
  if (!heuristics::FileHeuristic(name, "MZ", beside)) return std::nullopt;
  const std::optional<std::string_view> content = engine_.LastContent();
  const std::string head = content ? std::string(content->substr(0, heuristics::kHeadBytes))
                                   : services_.readHead(path, heuristics::kHeadBytes);
  return heuristics::FileHeuristic(name, head, beside);
}

bool TwoPassScan::AutorunCounts(const std::string& folder, const std::string& name) {
  // Read whole below the size rule's limit, even past the CRC check's, which
  // a worm pads its autorun.inf beyond.
  const std::optional<std::string_view> content = engine_.LastContent();
  const std::string text = content ? std::string(*content) : services_.readHead(folder + name, kNoCheckBytes);
  std::vector<heuristics::AutorunTarget> targets;
  for (std::string& written : heuristics::AutorunTargets(text)) targets.push_back(Target(folder, std::move(written)));
  const std::optional<sys::DirEntry> self = EntryOf(folder, name, nullptr);
  return heuristics::AutorunIsSuspicious(self && heuristics::IsHiddenEntry(self->attributes), targets);
}

std::string TwoPassScan::TargetPath(const std::string& folder, std::string written) const {
  const char separator = services_.directories.Separator();
  std::replace_if(written.begin(), written.end(), [](char c) { return c == '\\' || c == '/'; }, separator);
  const bool drive = written.size() >= 2 && written[1] == ':';
  if (drive && separator == '\\') return written;
  // Elsewhere the stick is mounted as a folder: its own drive is the folder
  // the autorun.inf lies in.
  if (drive) written.erase(0, 2);
  std::string base = folder;
  if (!written.empty() && written.front() == separator) {
    written.erase(0, 1);
    if (separator == '\\' && folder.size() >= 3 && folder[1] == ':') base = folder.substr(0, 3);
  }
  while (written.size() >= 2 && written[0] == '.' && written[1] == separator) written.erase(0, 2);
  return base + written;
}

std::optional<sys::DirEntry> TwoPassScan::EntryOf(const std::string& folder, const std::string& name,
                                                  std::vector<sys::DirEntry>* listing) {
  std::vector<sys::DirEntry> entries = services_.directories.List(folder, kFolderListingMask);
  std::optional<sys::DirEntry> found;
  for (const sys::DirEntry& e : entries) {
    if (heuristics::SameName(e.name, name) && !(e.attributes & sys::kAttrDirectory)) found = e;
  }
  if (listing) *listing = std::move(entries);
  return found;
}

heuristics::AutorunTarget TwoPassScan::Target(const std::string& folder, std::string written) {
  const std::string path = TargetPath(folder, written);
  const std::string targetFolder = path.substr(0, path.find_last_of(services_.directories.Separator()) + 1);
  std::vector<sys::DirEntry> beside;
  const std::optional<sys::DirEntry> entry = EntryOf(targetFolder, path.substr(targetFolder.size()), &beside);
  // Of a program that is not there only its name and place tell.
  if (!entry) return {std::move(written)};
  bool detected = false;
  {
    ProbeScope probe(probing_, probeHit_);
    detected = engine_.CheckSelection(targetFolder, entry->name) || probeHit_;
    const std::optional<std::int64_t> length = engine_.LastLength();
    if (!detected && length && !TooLargeForAnyCheck(*length))
      detected = FileRule(targetFolder + entry->name, entry->name, heuristics::HiddenFolders(beside)).has_value();
  }
  return {std::move(written), heuristics::IsHiddenEntry(entry->attributes), detected};
}

void TwoPassScan::DoEvents() {
  // The counting pass has nothing else to show its progress by.
  if (kerja_ == Kerja::Hitung) sink_.Counting(counts_.counted);
  sink_.DoEvents();
}

void TwoPassScan::Detected(const Detection& detection) {
  // A program an autorun.inf starts is looked at before its turn: it is named when the walk reaches it.
  if (probing_) {
    probeHit_ = true;
    return;
  }
  ++counts_.detections;
  sink_.Detected(detection);
}

}  // namespace tarvex
