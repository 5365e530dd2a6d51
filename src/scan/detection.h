#pragma once
// What a scan tells: the file found infected, its virus and how big it is,
// and what identified the file the checks read.
#include <cstdint>
#include <optional>
#include <string>

#include "system/file_identity.h"

namespace tarvex {

inline constexpr const char* kInfectedRemark = "File Terinfeksi";

struct Detection {
  std::string path;
  std::string virusName;
  std::int64_t size = 0;  // in bytes
  std::string remark;     // kInfectedRemark when a pattern lies inside a larger host file, else empty
  // Taken from the handle that read the file; no value when the system could
  // not say, and then nothing is done to the file.
  std::optional<sys::FileIdentity> identity;

  // Two detections tell the same: the identity is the system's, not the scan's verdict.
  bool operator==(const Detection& o) const {
    return path == o.path && virusName == o.virusName && size == o.size && remark == o.remark;
  }
};

// Where the checks hand what they find.
class DetectionSink {
 public:
  virtual ~DetectionSink() = default;
  virtual void Detected(const Detection& detection) = 0;
};

}  // namespace tarvex
