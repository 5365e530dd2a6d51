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

// The files the engine reads: both must be given.
struct EngineServices {
  // One look at a file: its length, and its content when shorter than `readBelow`.
  std::function<sys::FileRead(const std::string& path, std::int64_t readBelow, sys::FileBuffer& into)> readFile;
  // Size and last-write time, to tell whether the database changed.
  std::function<std::optional<sys::FileStamp>(const std::string& path)> fileStamp;
};

// What the checks read of one file and what they made of it: whatever looks
// at the file after them (the heuristics) goes by this one read.
struct CheckedFile {
  std::optional<Detection> found;           // the row of the check that named it
  std::optional<std::int64_t> length;       // none: gone, no ordinary file, or in the quarantine
  std::optional<std::string_view> content;  // the whole file when a check read it; in the engine's
                                            // buffer, so it holds until the engine's next file
  bool unreadable = false;                  // a check was due and the file could not be read
  std::shared_ptr<sys::HeldFile> held;      // the file, open as long as this is kept
  bool Reported() const { return found.has_value(); }
  // What identifies the file, asked of the handle that read it.
  std::optional<sys::FileIdentity> Identity() const { return held ? held->Identity() : std::nullopt; }
};

// The system's own file facts.
EngineServices SystemEngineServices();

class ScanEngine {
 public:
  explicit ScanEngine(EngineServices services);

  // At the start of every scan: the database is read again only when it
  // changed (or is another file than last time). `mark` is the checksum text
  // the user marked as a virus, empty for none.
  CrcDatabase::State PrepareScan(const std::string& databasePath, const std::string& mark);

  // The checks for one file of the scanning pass; `namadir` ends in the
  // separator. A file is read once, whatever asks about it afterwards.
  CheckedFile CheckSelection(const std::string& namadir, const std::string& namafile);
  // The engine lets go of the file it read last: no file stays open behind a scan.
  void Release() { buffer_.Release(); }

  // The bytes that went through a check since the last reset.
  std::uint64_t BytesRead() const { return bytesRead_; }
  void ResetBytesRead() { bytesRead_ = 0; }
  const CrcDatabase& Database() const { return database_; }

 private:
  EngineServices services_;
  std::string mark_;
  CrcDatabase database_;
  std::uint64_t bytesRead_ = 0;
  clsCRC crc_;
  sys::FileBuffer buffer_;
};

}  // namespace tarvex
