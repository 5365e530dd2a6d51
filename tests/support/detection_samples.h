#pragma once
// What detection tests build their files and databases from: the bytes of a
// built-in virus pattern, the checksum text of some bytes, and a sink that
// records what the checks found.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "scan/file_detection.h"
#include "scan/scan_sink.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/string_signature.h"

namespace tarvex::testing {

// The bytes a file must hold for virus entry `index` (from 1) to find it.
inline std::string VirusPatternBytes(int index) {
  return HexToChars(SplitVirusEntry(VirusSignature(static_cast<std::int16_t>(index))).pattern);
}

// The standard anti-virus test file, which the shipped database names "EICAR-Test-File".
inline constexpr char kEicar[] = "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR-STANDARD-ANTIVIRUS-TEST-FILE!$H+H*";

// The checksum text of a file holding exactly these bytes ("0" when empty).
inline std::string ChecksumOf(const std::string& bytes) {
  if (bytes.empty()) return ChecksumText(std::nullopt);
  clsCRC crc;
  return ChecksumText(crc.CalculateBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

// Keeps what the checks found, in order.
class FoundList : public ScanSink {
 public:
  void Detected(const Detection& detection) override { found.push_back(detection); }
  std::vector<Detection> found;
};

}  // namespace tarvex::testing

namespace tarvex {
// How a failing expectation shows a detection.
inline void PrintTo(const Detection& d, std::ostream* os) {
  *os << "[" << d.virusName << "|" << d.path << "|" << d.size << "|" << d.remark << "]";
}
}  // namespace tarvex
