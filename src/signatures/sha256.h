#pragma once
// SHA-256 (FIPS 180-4): the digest that tells a file the user vouched for
// from every other. A CRC-32 and a size are made to match in seconds; this is
// not.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

class Sha256 {
 public:
  Sha256();
  void Add(const unsigned char* data, std::size_t size);
  void Add(std::string_view bytes) { Add(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()); }
  // The digest of everything added; the object is spent afterwards.
  std::array<unsigned char, 32> Finish();
  // The same as 64 lower-case hexadecimal digits.
  std::string FinishHex();

 private:
  void Block(const unsigned char* block);

  std::array<std::uint32_t, 8> state_;
  std::array<unsigned char, 64> pending_{};
  std::size_t pendingSize_ = 0;
  std::uint64_t totalBytes_ = 0;
};

// The digest of `bytes` as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace tarvex
