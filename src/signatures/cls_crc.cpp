#include "signatures/cls_crc.h"

#include <limits>

#include "system/files.h"

namespace tarvex {

clsCRC::clsCRC() { Algorithm(0); }

void clsCRC::PrepareEngine() {
  // The tables are built at compile time; what is left is to pick the
  // fastest loop this CPU runs.
  loop_ = crc32::ProductLoop();
  prepared_ = -1;
}

std::int32_t clsCRC::AddBytes(const unsigned char* data, std::size_t len) {
  if (len > 0) register_ = loop_(register_, data, len);
  return Value();
}

void clsCRC::Algorithm(std::int32_t value) {
  algorithm_ = value != 0 ? -1 : 0;
  if (!prepared_) PrepareEngine();
  Clear();
}

std::int32_t clsCRC::CalculateBytes(const unsigned char* data, std::size_t len) {
  Clear();
  return AddBytes(data, len);
}

std::optional<std::int32_t> clsCRC::CalculateFile(const std::string& path) {
  std::optional<std::int64_t> length = sys::FileLength(path);
  if (!length || *length <= 0 || *length > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(path);
  // A file emptied between the length and the read is as good as empty.
  if (!bytes || bytes->empty()) return std::nullopt;
  return CalculateBytes(*bytes);
}

}  // namespace tarvex
