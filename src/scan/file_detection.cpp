#include "scan/file_detection.h"

#include <stdexcept>

#include "scan/scan_progress.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/kumpulan_fungsi.h"
#include "signatures/string_signature.h"

namespace tarvex {

namespace {

constexpr double kNoCheckKiB = 4000;  // 4 096 000 bytes and more: no check at all
constexpr double kNoCrcKiB = 750;     // 768 000 bytes and more: patterns only

bool InQuarantine(const std::string& folder) {
  const std::string prefix = kQuarantinePrefix;
  return folder.compare(0, prefix.size(), prefix) == 0;  // letter case counts
}

// Keeps one read of the file for all checks of one selection, and forgets it
// when the selection is done, whichever way it ends.
class CacheScope {
 public:
  CacheScope(bool& selecting, bool& valid) : selecting_(selecting), valid_(valid) {
    selecting_ = true;
    valid_ = false;
  }
  ~CacheScope() { selecting_ = valid_ = false; }

 private:
  bool& selecting_;
  bool& valid_;
};

// The virus table with its patterns already turned into bytes: the table is
// part of the program, so it is split and converted once, not for every file.
struct ConvertedVirus {
  std::string name;
  std::int32_t size;
  std::string bytes;
};

const std::vector<ConvertedVirus>& ConvertedVirusTable() {
  static const std::vector<ConvertedVirus> table = [] {
    std::vector<ConvertedVirus> out;
    for (std::int16_t i = 1;; ++i) {
      const std::string entry = VirusSignature(i);
      if (entry.empty() || entry == kVirusSentinel) break;
      VirusEntry virus = SplitVirusEntry(entry);
      out.push_back({virus.name, virus.size, HexToChars(virus.pattern)});
    }
    return out;
  }();
  return table;
}

}  // namespace

FileDetection::FileDetection(DetectionHost& host, DetectionServices services)
    : host_(host), services_(std::move(services)) {
  if (!services_.fileLength || !services_.readFile || !services_.lookupCrc)
    throw std::invalid_argument("DetectionServices: fileLength, readFile and lookupCrc must all be given");
}

void FileDetection::CheckSelection(const std::string& namadir, const std::string& namafile) {
  const std::string full = namadir + namafile;
  CacheScope scope(selecting_, cacheValid_);

  if (InQuarantine(namadir)) return;
  std::optional<std::int64_t> length = services_.fileLength(full);
  if (!length || static_cast<double>(*length) / 1024 >= kNoCheckKiB) return;

  const std::string type = FileTypeOf(namafile);
  if (type == "Application" || type == "Screen Saver") {
    try {
      CEK_DENGAN_STRING(namadir, namafile);
    } catch (...) {
      // A failed pattern check still leaves the CRC check to run.
    }
  }

  if (static_cast<double>(*length) / 1024 >= kNoCrcKiB) return;

  // The pattern check may just have reported this file: its row is the latest.
  std::size_t latest = static_cast<std::size_t>(CounterValue(host_.VirusCountText()));
  std::string latestPath = latest >= 1 && latest <= host_.RowCount() ? host_.RowPath(latest) : std::string();
  if (latestPath == full) return;
  CEK_DENGAN_CRC(namadir, namafile);
}

void FileDetection::CEK_DENGAN_CRC(const std::string& namadir, const std::string& namafile) {
  const std::string full = namadir + namafile;
  clsCRC crc;
  const std::optional<std::vector<unsigned char>>& content = Content(full);
  std::optional<std::int32_t> value;
  if (content && !content->empty()) value = crc.CalculateBytes(*content);

  std::string name = services_.lookupCrc(ChecksumText(value));
  if (name.empty()) return;
  Report({"", name, full, std::to_string(Length(full, content ? content->size() : 0)), ""});
}

void FileDetection::CEK_DENGAN_STRING(const std::string& namadir, const std::string& namafile) {
  const std::string full = namadir + namafile;
  const std::optional<std::vector<unsigned char>>& content = Content(full);
  if (!content) return;  // unreadable: no row, no further entries

  for (const ConvertedVirus& virus : ConvertedVirusTable()) {
    if (!ContainsPattern(*content, virus.bytes)) continue;
    std::int64_t length = Length(full, content->size());
    bool insideHost = virus.size < length;
    Report({"", virus.name, full, std::to_string(length), insideHost ? kInfectedRemark : ""});
    return;  // the first matching entry names the file
  }
}

const std::optional<std::vector<unsigned char>>& FileDetection::Content(const std::string& full) {
  if (!cacheValid_ || cachedPath_ != full) {
    cachedContent_ = services_.readFile(full);
    cachedPath_ = full;
    cacheValid_ = selecting_;
  }
  return cachedContent_;
}

std::int64_t FileDetection::Length(const std::string& full, std::size_t readLength) {
  std::optional<std::int64_t> length = services_.fileLength(full);
  return length ? *length : static_cast<std::int64_t>(readLength);
}

void FileDetection::Report(ResultRow row) {
  const std::string path = row.path;
  host_.AppendRow(std::move(row));
  host_.StopProcessOf(path);  // before the count goes up, as the user will read it
  host_.SetVirusCountText(IncrementedCounter(host_.VirusCountText()));
}

}  // namespace tarvex
