#pragma once
// What detection tests build their files and databases from: the bytes of a
// built-in virus pattern, the checksum text of some bytes, and a window side
// that records what the checks did to it.
#include <optional>
#include <string>
#include <vector>

#include "scan/file_detection.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/string_signature.h"

namespace tarvex::testing {

// The bytes a file must hold for virus entry `index` (from 1) to find it.
inline std::string VirusPatternBytes(int index) {
  return HexToChars(SplitVirusEntry(VirusSignature(static_cast<std::int16_t>(index))).pattern);
}

// The checksum text of a file holding exactly these bytes ("0" when empty).
inline std::string ChecksumOf(const std::string& bytes) {
  if (bytes.empty()) return ChecksumText(std::nullopt);
  clsCRC crc;
  return ChecksumText(crc.CalculateBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

// The main window's side of detection: rows, the virus count and the guard.
class FakeDetectionHost : public DetectionHost {
 public:
  std::size_t RowCount() const override { return rows.size(); }
  std::string RowPath(std::size_t index) const override { return rows.at(index - 1).path; }
  void AppendRow(ResultRow row) override { rows.push_back(std::move(row)); }
  std::string VirusCountText() const override { return count; }
  void SetVirusCountText(const std::string& text) override { count = text; }
  void StopProcessOf(const std::string& path) override { stopped.push_back(path + " @" + count); }

  std::vector<ResultRow> rows;
  std::string count = "0";
  std::vector<std::string> stopped;
};

}  // namespace tarvex::testing
