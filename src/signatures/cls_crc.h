#pragma once
// CRC-32 engine (CRC-32/ISO-HDLC): the checksum whose text is the key of the
// signature database. One engine per check; an engine is not shared between
// threads.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "signatures/crc32_loops.h"

namespace tarvex {

class clsCRC {
 public:
  // A new engine is ready at once: Value() reads 0 and Algorithm() reads 0.
  clsCRC();

  // Runs the bytes through the running register, continuing whatever was
  // added before, and returns Value(). No bytes: register unchanged.
  std::int32_t AddBytes(const unsigned char* data, std::size_t len);
  std::int32_t AddBytes(const std::vector<unsigned char>& bytes) { return AddBytes(bytes.data(), bytes.size()); }

  // Any non-zero value stores "true". Every write clears the register. The
  // flag selects nothing: there is only one algorithm.
  void Algorithm(std::int32_t value);
  // 0 or -1, whatever number was written.
  std::int32_t Algorithm() const { return algorithm_; }

  // Clear, then AddBytes.
  std::int32_t CalculateBytes(const unsigned char* data, std::size_t len);
  std::int32_t CalculateBytes(const std::vector<unsigned char>& bytes) {
    return CalculateBytes(bytes.data(), bytes.size());
  }

  // Checksum of the whole file, read in one piece. No value for an empty,
  // missing, unreadable or 2 GiB-or-larger file.
  std::optional<std::int32_t> CalculateFile(const std::string& path);

  // The complement of the register, as a signed number.
  std::int32_t Value() const { return static_cast<std::int32_t>(~register_); }
  // Stores the number into the register as it is (not complemented), so a
  // checksum can be resumed from a raw register.
  void Value(std::int32_t reg) { register_ = static_cast<std::uint32_t>(reg); }

  void Clear() { register_ = 0xFFFFFFFFu; }

 private:
  void PrepareEngine();

  std::int16_t algorithm_ = 0;  // 0 = false, -1 = true
  std::uint32_t register_ = 0xFFFFFFFFu;
  crc32::LoopFn loop_ = nullptr;
  std::int16_t prepared_ = 0;
};

}  // namespace tarvex
