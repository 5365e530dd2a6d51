#include "scan/file_detection.h"

#include <cctype>
#include <stdexcept>

#include "base/program_files.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/kumpulan_fungsi.h"
#include "signatures/string_signature.h"

namespace tarvex {

bool InQuarantine(const std::string& folder) {
  // Compared as a path, so that a worm's "C:\Karantina2\" is checked, and
  // with letter case ignored, as Windows ignores it.
  const std::string_view quarantine = kQuarantineFolder;
  auto separator = [](char c) { return c == '\\' || c == '/'; };
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  for (std::size_t i = 0; i < quarantine.size(); ++i) {
    const char given = i < folder.size() ? folder[i] : '\0';
    if (separator(quarantine[i]) ? !separator(given) : lower(given) != lower(quarantine[i])) return false;
  }
  return true;
}

// The limits are kept in units of 1 024 bytes, so the length is divided, not rounded.
bool TooLargeForAnyCheck(std::int64_t length) { return static_cast<double>(length) / 1024 >= kNoCheckBytes / 1024; }

bool TooLargeForCrcCheck(std::int64_t length) { return static_cast<double>(length) / 1024 >= kNoCrcBytes / 1024; }

bool GetsPatternCheck(const std::string& name) {
  const std::string type = FileTypeOf(name);
  return type == "Application" || type == "Screen Saver";
}

namespace {

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

}  // namespace

FileDetection::FileDetection(DetectionSink& sink, DetectionServices services)
    : sink_(sink), services_(std::move(services)) {
  if (!services_.fileLength || !services_.readFile || !services_.lookupCrc)
    throw std::invalid_argument("DetectionServices: fileLength, readFile and lookupCrc must all be given");
}

void FileDetection::CheckSelection(const std::string& namadir, const std::string& namafile) {
  const std::string full = namadir + namafile;
  CacheScope scope(selecting_, cacheValid_);
  reported_ = false;

  if (InQuarantine(namadir)) return;
  std::optional<std::int64_t> length = services_.fileLength(full);
  if (!length || TooLargeForAnyCheck(*length)) return;

  if (GetsPatternCheck(namafile)) {
    try {
      CEK_DENGAN_STRING(namadir, namafile);
    } catch (...) {
      // A failed pattern check still leaves the CRC check to run.
    }
  }

  if (TooLargeForCrcCheck(*length)) return;

  if (reported_) return;
  CEK_DENGAN_CRC(namadir, namafile);
}

void FileDetection::CEK_DENGAN_CRC(const std::string& namadir, const std::string& namafile) {
  const std::string full = namadir + namafile;
  clsCRC crc;
  const std::optional<std::vector<unsigned char>>& content = Content(full);
  // No readable content, no checksum: such a file is never named by one.
  if (!content || content->empty()) return;

  std::string name = services_.lookupCrc(ChecksumText(crc.CalculateBytes(*content)));
  if (name.empty()) return;
  Report({full, name, Length(full, content ? content->size() : 0), ""});
}

void FileDetection::CEK_DENGAN_STRING(const std::string& namadir, const std::string& namafile) {
  const std::string full = namadir + namafile;
  const std::optional<std::vector<unsigned char>>& content = Content(full);
  if (!content) return;  // unreadable: no row, no further entries

  for (const ConvertedVirus& virus : ConvertedVirusTable()) {
    if (!ContainsPattern(*content, virus.bytes)) continue;
    std::int64_t length = Length(full, content->size());
    bool insideHost = virus.size < length;
    Report({full, virus.name, length, insideHost ? kInfectedRemark : ""});
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

void FileDetection::Report(Detection detection) {
  reported_ = true;
  sink_.Detected(detection);
}

}  // namespace tarvex
