// The fast CRC loops against the one-byte loop, from a register and at a
// split point taken from the input.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "signatures/cls_crc.h"
#include "signatures/crc32_loops.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvex;
  std::uint32_t reg = 0xFFFFFFFFu;
  std::size_t split = 0;
  if (size >= 6) {
    std::memcpy(&reg, data, 4);
    split = (static_cast<std::size_t>(data[4]) << 8 | data[5]);
    data += 6;
    size -= 6;
  }
  split = size ? split % (size + 1) : 0;

  std::uint32_t expected = crc32::UpdateBytewise(reg, data, size);
  if (crc32::UpdateSliced(reg, data, size) != expected) std::abort();
  if (crc32::ProductLoop()(reg, data, size) != expected) std::abort();
  if (crc32::HaveFoldedLoop() && crc32::UpdateFolded(reg, data, size) != expected) std::abort();

  clsCRC whole, parts;
  whole.Value(static_cast<std::int32_t>(reg));
  parts.Value(static_cast<std::int32_t>(reg));
  std::int32_t a = whole.AddBytes(data, size);
  parts.AddBytes(data, split);
  if (parts.AddBytes(data + split, size - split) != a) std::abort();
  if (static_cast<std::uint32_t>(a) != ~expected) std::abort();
  return 0;
}
