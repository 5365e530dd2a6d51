#include "scan/scan_engine.h"

#include <limits>
#include <stdexcept>

#include "signatures/checksum_text.h"
#include "signatures/pattern_set.h"
#include "signatures/signature_database.h"
#include "signatures/string_signature.h"
#include "system/files.h"

namespace tarvex {

namespace {

const PatternSet& VirusPatterns() {
  static const PatternSet set = [] {
    std::vector<std::string> bytes;
    for (const ConvertedVirus& virus : ConvertedVirusTable()) bytes.push_back(virus.bytes);
    return PatternSet(std::move(bytes));
  }();
  return set;
}

const EngineServices& Checked(const EngineServices& s) {
  if (!s.readFile || !s.fileStamp) throw std::invalid_argument("EngineServices: readFile and fileStamp must be given");
  return s;
}

DatabaseFiles FilesOf(const EngineServices& s) {
  return {.stamp = s.fileStamp, .read = [read = s.readFile](const std::string& path, sys::FileBuffer& into) {
            return read(path, std::numeric_limits<std::int64_t>::max(), into).read;
          }};
}

}  // namespace

EngineServices SystemEngineServices() { return {.readFile = sys::ReadFileIfShorter, .fileStamp = sys::FileStampOf}; }

ScanEngine::ScanEngine(EngineServices services)
    : services_(Checked(services)), database_(std::string(), FilesOf(services_)) {
  buffer_.HoldFiles();
}

CrcDatabase::State ScanEngine::PrepareScan(const std::string& databasePath, const std::string& mark) {
  mark_ = mark;
  if (databasePath != database_.Path()) database_ = CrcDatabase(databasePath, FilesOf(services_));
  return database_.Refresh();
}

CheckedFile ScanEngine::CheckSelection(const std::string& namadir, const std::string& namafile) {
  CheckedFile checked;
  buffer_.Release();
  if (InQuarantine(namadir)) return checked;
  const std::string full = namadir + namafile;
  const bool patternCheck = GetsPatternCheck(namafile);
  // One open for the length and the bytes; a file no check reads is not read.
  const sys::FileRead file = services_.readFile(full, patternCheck ? kNoCheckBytes : kNoCrcBytes, buffer_);
  checked.length = file.length;
  checked.held = buffer_.Held();
  if (file.read) checked.content = std::string_view(reinterpret_cast<const char*>(buffer_.data()), buffer_.size());
  const std::optional<std::int64_t>& length = file.length;
  if (!length || TooLargeForAnyCheck(*length)) return checked;
  const bool crcCheck = !TooLargeForCrcCheck(*length);
  if (!patternCheck && !crcCheck) return checked;

  const bool readable = file.read;
  if (readable) {
    bytesRead_ += buffer_.size();
  } else {
    buffer_.Prepare(0);
    checked.unreadable = true;
  }

  // An unreadable file ends the pattern check without a row.
  if (patternCheck && readable) {
    if (std::optional<std::size_t> hit = VirusPatterns().FirstFound(buffer_.data(), buffer_.size())) {
      const ConvertedVirus& virus = ConvertedVirusTable()[*hit];
      const bool insideHost = virus.size < *length;
      checked.found = Detection{full, virus.name, *length, insideHost ? kInfectedRemark : "", checked.Identity()};
      return checked;  // named once is enough: no CRC check for this file
    }
  }

  // An empty or unreadable file has no checksum: its text "0" would name
  // every such file after a database key or a mark "0".
  if (!crcCheck || buffer_.empty()) return checked;
  const std::string text = ChecksumText(crc_.CalculateBytes(buffer_.data(), buffer_.size()));
  std::string name = WithUserMark(database_.Lookup(text), text, mark_);
  if (!name.empty()) checked.found = Detection{full, std::move(name), *length, "", checked.Identity()};
  return checked;
}

}  // namespace tarvex
