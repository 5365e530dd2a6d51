#pragma once
// The scan's checks at the cost of reading each file once: one read per file
// for the built-in patterns and the CRC together, all patterns searched in
// one pass, and the database looked up in a table parsed once per scan.
// Every row it makes is the row FileDetection makes for the same file.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "scan/crc_database.h"
#include "scan/file_detection.h"
#include "signatures/cls_crc.h"
#include "system/file_read.h"

namespace tarvex {

// The files the engine reads: readFile and fileStamp must be given.
struct EngineServices {
  // One look at a file: its length, and its content when shorter than `readBelow`.
  std::function<sys::FileRead(const std::string& path, std::int64_t readBelow, sys::FileBuffer& into)> readFile;
  // Size and last-write time, to tell whether the database changed.
  std::function<std::optional<sys::FileStamp>(const std::string& path)> fileStamp;
  // Told about a file that had a check due and could not be read (optional).
  std::function<void(const std::string& path)> readFailed;
};

// The system's own file facts.
EngineServices SystemEngineServices();

class ScanEngine {
 public:
  ScanEngine(DetectionSink& sink, EngineServices services);

  // At the start of every scan: the database is read again only when it
  // changed (or is another file than last time). `mark` is the checksum text
  // the user marked as a virus, empty for none.
  CrcDatabase::State PrepareScan(const std::string& databasePath, const std::string& mark);

  // The checks for one file of the scanning pass; `namadir` ends in the
  // separator. True when they reported the file.
  bool CheckSelection(const std::string& namadir, const std::string& namafile);

  // What the last CheckSelection found of its file: the length (no value when
  // it had none or the file lies in quarantine) and, when it read the whole
  // file, its bytes.
  const std::optional<std::int64_t>& LastLength() const { return lastLength_; }
  std::optional<std::string_view> LastContent() const;
  // What identifies the file the last CheckSelection read, asked of the handle
  // that read it, which stays open until the next check or Release.
  std::optional<sys::FileIdentity> LastIdentity() { return buffer_.Identity(); }
  void Release() { buffer_.Release(); }

  // The bytes that went through a check since the last reset.
  std::uint64_t BytesRead() const { return bytesRead_; }
  void ResetBytesRead() { bytesRead_ = 0; }
  const CrcDatabase& Database() const { return database_; }

 private:
  DetectionSink& sink_;
  EngineServices services_;
  std::string mark_;
  CrcDatabase database_;
  std::uint64_t bytesRead_ = 0;
  clsCRC crc_;
  sys::FileBuffer buffer_;
  std::optional<std::int64_t> lastLength_;
  bool lastRead_ = false;
};

}  // namespace tarvex
