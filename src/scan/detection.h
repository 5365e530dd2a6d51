#pragma once
// What a scan tells: the file found infected, its virus and how big it is.
#include <cstdint>
#include <string>

namespace tarvex {

inline constexpr const char* kInfectedRemark = "File Terinfeksi";

struct Detection {
  std::string path;
  std::string virusName;
  std::int64_t size = 0;  // in bytes
  std::string remark;     // kInfectedRemark when a pattern lies inside a larger host file, else empty

  bool operator==(const Detection&) const = default;
};

// Where the checks hand what they find.
class DetectionSink {
 public:
  virtual ~DetectionSink() = default;
  virtual void Detected(const Detection& detection) = 0;
};

}  // namespace tarvex
