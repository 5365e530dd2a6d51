#pragma once
// Which checks a file of the scanning pass gets, and the two checks: the
// CRC-32 of the whole file looked up in the database, and the built-in byte
// patterns searched anywhere in executables and screen savers.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "scan/detection.h"

namespace tarvex {

// The file facts and the database the checks use; all three must be given.
// `lookupCrc` gives the name for a checksum text, the user's mark included.
struct DetectionServices {
  std::function<std::optional<std::int64_t>(const std::string& path)> fileLength;
  std::function<std::optional<std::vector<unsigned char>>(const std::string& path)> readFile;
  std::function<std::string(const std::string& checksumText)> lookupCrc;
};


// The rules of the check selection, shared by every scan that makes one.
// Files in the quarantine folder or below it get no check: the folder compared
// as a path, separator included, letter case ignored.
bool InQuarantine(const std::string& folder);
// 4 096 000 bytes and more: no check at all.
inline constexpr std::int64_t kNoCheckBytes = 4000 * 1024;
bool TooLargeForAnyCheck(std::int64_t length);
// 768 000 bytes and more: the pattern check only.
inline constexpr std::int64_t kNoCrcBytes = 750 * 1024;
bool TooLargeForCrcCheck(std::int64_t length);
// Executables and screen savers, by the end of the name.
bool GetsPatternCheck(const std::string& name);

// The checks as the program has always made them; every faster scan must
// give exactly its results.
class FileDetection {
 public:
  FileDetection(DetectionSink& sink, DetectionServices services);
  virtual ~FileDetection() = default;

  // The checks for one file of the scanning pass; `namadir` ends in "\".
  void CheckSelection(const std::string& namadir, const std::string& namafile);

  virtual void CEK_DENGAN_CRC(const std::string& namadir, const std::string& namafile);
  virtual void CEK_DENGAN_STRING(const std::string& namadir, const std::string& namafile);

 protected:
  void Report(Detection detection);

 private:
  // The file's content, read at most once for all checks of one file.
  const std::optional<std::vector<unsigned char>>& Content(const std::string& full);
  // The file's length for its row; what was read when it cannot be queried.
  std::int64_t Length(const std::string& full, std::size_t readLength);

  DetectionSink& sink_;
  DetectionServices services_;
  std::string cachedPath_;
  std::optional<std::vector<unsigned char>> cachedContent_;
  bool selecting_ = false;
  bool cacheValid_ = false;
  // The pattern check reported the file of this selection: the CRC check
  // would only name it a second time.
  bool reported_ = false;
};

}  // namespace tarvex
