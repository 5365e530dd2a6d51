#include "console/console_scan.h"

#include <chrono>

#include "scan/listing_reuse.h"
#include "system/console.h"
#include "system/files.h"

namespace tarvex::console {

namespace {

bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

}  // namespace

// The walk's listings, watched: every folder is listed once for its
// subfolders, which counts it, and an empty answer is told apart from an
// unreadable folder.
class ConsoleScan::WatchedDirectories : public DirectorySource {
 public:
  explicit WatchedDirectories(ConsoleScan& scan) : scan_(scan) {}
  std::vector<sys::DirEntry> List(const std::string& pattern, std::uint32_t mask) override {
    std::vector<sys::DirEntry> entries = scan_.services_.directories.List(pattern, mask);
    if (mask == kFolderListingMask && scan_.scanning_) {
      ++scan_.totals_.folders;
      if (entries.empty() && !scan_.services_.folderListable(pattern)) scan_.listener_.Problem("cannot read folder " + pattern);
    }
    return entries;
  }
  char Separator() const override { return scan_.services_.directories.Separator(); }

 private:
  ConsoleScan& scan_;
};

ConsoleServices SystemConsoleServices() {
  return {.directories = SystemDirectories(),
          .folderListable = sys::FolderListable,
          .attributes = sys::FileAttributes,
          .engine = SystemEngineServices()};
}

std::optional<std::vector<ScanRoot>> ResolveRoots(const std::vector<std::string>& paths, std::string& error,
                                                  const ConsoleServices& services) {
  std::vector<ScanRoot> roots;
  for (const std::string& path : paths) {
    std::optional<std::uint32_t> attributes = services.attributes(path);
    if (!attributes) {
      error = "cannot find " + path;
      return std::nullopt;
    }
    roots.push_back({path, (*attributes & sys::kAttrDirectory) == 0});
  }
  return roots;
}

ConsoleScan::ConsoleScan(const std::string& databasePath, ScanListener& listener, ConsoleServices services)
    : databasePath_(databasePath), listener_(listener), services_(std::move(services)), engine_(*this, [this] {
        EngineServices engine = services_.engine;
        if (!engine.readFailed) engine.readFailed = [this](const std::string& path) { listener_.Problem("cannot read " + path); };
        return engine;
      }()) {}

void ConsoleScan::Pass(const std::vector<ScanRoot>& roots, const std::string& kerja, double& fileCount) {
  WatchedDirectories watched(*this);
  ListingReuse directories(watched);
  fileCount_ = &fileCount;
  for (const ScanRoot& root : roots) {
    if (!root.isFile) {
      std::string path = root.path;
      MENCARI_VIRUS(path, "*.*", fileCount, kerja, *this, directories);
      continue;
    }
    // A single file goes through the same per-file work as a walked one.
    std::size_t cut = root.path.size();
    while (cut > 0 && !IsSeparator(root.path[cut - 1])) --cut;
    if (kerja == "Pindai") ExamineFile(root.path.substr(0, cut), root.path.substr(cut));
    fileCount += 1;
    DoEvents();
  }
  fileCount_ = nullptr;
}

void ConsoleScan::DoEvents() {
  // Called after every file of both passes: the counting pass has nothing
  // else to show its progress by.
  if (!scanning_ && fileCount_) listener_.Counting(static_cast<std::uint64_t>(*fileCount_));
}

ScanTotals ConsoleScan::Run(const std::vector<ScanRoot>& roots) {
  const auto start = std::chrono::steady_clock::now();
  totals_ = {};
  rows_.clear();
  countText_.assign(1, '0');  // not = "0": g++ 12 warns falsely about that one
  engine_.ResetCounters();

  double counted = 0;
  scanning_ = false;
  Pass(roots, "Hitung", counted);
  totals_.filesCounted = static_cast<std::uint64_t>(counted);

  double examined = 0;
  scanning_ = true;
  Pass(roots, "Pindai", examined);
  scanning_ = false;

  totals_.detections = rows_.size();
  totals_.bytesRead = engine_.Counters().bytesRead;
  totals_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return totals_;
}

void ConsoleScan::ExamineFile(const std::string& folder, const std::string& name) {
  listener_.Examining(folder, name, totals_.filesExamined, totals_.filesCounted);
  try {
    engine_.CheckSelection(folder, name);
  } catch (...) {
    // As in the window: a failing check costs this file its verdict, never the scan.
    listener_.Problem("cannot check " + folder + name);
  }
  ++totals_.filesExamined;
}

void ConsoleScan::AppendRow(ResultRow row) {
  rows_.push_back(std::move(row));
  listener_.Detected(rows_.back());
}

}  // namespace tarvex::console
