#pragma once
// The CRC-32 byte loops behind clsCRC (reflected polynomial EDB88320).
// Every loop takes the running register (not complemented) and returns it
// updated; all of them give bit-identical results for any input.
#include <cstddef>
#include <cstdint>

namespace tarvex::crc32 {

// One lookup per byte in the classic 256-entry table (entry n is n run through
// eight shift/XOR rounds). Slow, but obviously right: the reference that the
// faster loops are measured and tested against.
std::uint32_t UpdateBytewise(std::uint32_t reg, const unsigned char* data, std::size_t len);

// Portable slicing-by-16: sixteen table lookups per 16 bytes, no dependence
// on the CPU. Used where carry-less multiplication is missing, and for tails.
std::uint32_t UpdateSliced(std::uint32_t reg, const unsigned char* data, std::size_t len);

// Whether this CPU has PCLMULQDQ (and SSE4.1), so UpdateFolded may run.
bool HaveFoldedLoop();

// Carry-less multiplication folding, 64 bytes per round. Call it only when
// HaveFoldedLoop() is true.
std::uint32_t UpdateFolded(std::uint32_t reg, const unsigned char* data, std::size_t len);

// The fastest loop this CPU can run; the one the product uses.
using LoopFn = std::uint32_t (*)(std::uint32_t, const unsigned char*, std::size_t);
LoopFn ProductLoop();

}  // namespace tarvex::crc32
