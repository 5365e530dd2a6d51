#include "signatures/crc32_loops.h"

#include <array>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define TARVEX_CRC_FOLDING 1
#include <immintrin.h>
#else
#define TARVEX_CRC_FOLDING 0
#endif

namespace tarvex::crc32 {

namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;
constexpr int kSlices = 16;

struct Tables {
  // t[0] is the byte table; t[k][n] is the register contribution of byte n
  // when it lies k bytes before the end of a 16-byte slice.
  std::array<std::array<std::uint32_t, 256>, kSlices> t;
};

constexpr Tables MakeTables() {
  Tables tables{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int round = 0; round < 8; ++round) c = (c & 1u) ? (c >> 1) ^ kPolynomial : c >> 1;
    tables.t[0][n] = c;
  }
  for (int k = 1; k < kSlices; ++k) {
    for (int n = 0; n < 256; ++n) {
      std::uint32_t prev = tables.t[k - 1][n];
      tables.t[k][n] = (prev >> 8) ^ tables.t[0][prev & 0xFFu];
    }
  }
  return tables;
}

// Built by the compiler: nothing to prepare at run time and one copy for all engines.
constexpr Tables kTables = MakeTables();
constexpr const std::array<std::uint32_t, 256>& kByteTable = kTables.t[0];

// Little-endian 32-bit read at any alignment (the target CPUs are all little-endian).
inline std::uint32_t Load32(const unsigned char* p) {
  std::uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

}  // namespace

std::uint32_t UpdateBytewise(std::uint32_t reg, const unsigned char* data, std::size_t len) {
  for (std::size_t i = 0; i < len; ++i) reg = (reg >> 8) ^ kByteTable[(reg ^ data[i]) & 0xFFu];
  return reg;
}

std::uint32_t UpdateSliced(std::uint32_t reg, const unsigned char* data, std::size_t len) {
  const auto& t = kTables.t;
  while (len >= 16) {
    std::uint32_t a = Load32(data) ^ reg;
    std::uint32_t b = Load32(data + 4);
    std::uint32_t c = Load32(data + 8);
    std::uint32_t d = Load32(data + 12);
    reg = t[15][a & 0xFF] ^ t[14][(a >> 8) & 0xFF] ^ t[13][(a >> 16) & 0xFF] ^ t[12][a >> 24] ^
          t[11][b & 0xFF] ^ t[10][(b >> 8) & 0xFF] ^ t[9][(b >> 16) & 0xFF] ^ t[8][b >> 24] ^
          t[7][c & 0xFF] ^ t[6][(c >> 8) & 0xFF] ^ t[5][(c >> 16) & 0xFF] ^ t[4][c >> 24] ^
          t[3][d & 0xFF] ^ t[2][(d >> 8) & 0xFF] ^ t[1][(d >> 16) & 0xFF] ^ t[0][d >> 24];
    data += 16;
    len -= 16;
  }
  return UpdateBytewise(reg, data, len);
}

#if TARVEX_CRC_FOLDING

bool HaveFoldedLoop() {
  static const bool have = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
  }();
  return have;
}

namespace {

// Folding moves a 128-bit lane forward by multiplying its two 64-bit halves
// by fixed powers of x modulo P (bit-reflected, pre-shifted by one for the
// reflected product) and adding it into the lane that far ahead. k512 folds
// across the four lanes of a round, k128 folds one lane into the next.
#if defined(__i386__)
// The 32-bit Windows ABI promises only 4-byte stack alignment; the SSE spills
// need 16.
#define TARVEX_FOLD_ATTRS __attribute__((target("pclmul,sse4.1"), force_align_arg_pointer))
#else
#define TARVEX_FOLD_ATTRS __attribute__((target("pclmul,sse4.1")))
#endif

TARVEX_FOLD_ATTRS inline __m128i Fold(__m128i lane, __m128i k, __m128i next) {
  __m128i lo = _mm_clmulepi64_si128(lane, k, 0x00);
  __m128i hi = _mm_clmulepi64_si128(lane, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(lo, hi), next);
}

TARVEX_FOLD_ATTRS inline __m128i Load128(const unsigned char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

}  // namespace

TARVEX_FOLD_ATTRS std::uint32_t UpdateFolded(std::uint32_t reg, const unsigned char* data, std::size_t len) {
  if (len < 64) return UpdateSliced(reg, data, len);

  const __m128i k512 = _mm_set_epi32(0x00000001, static_cast<int>(0xC6E41596u), 0x00000001, 0x54442BD4);
  const __m128i k128 = _mm_set_epi32(0x00000000, static_cast<int>(0xCCAA009Eu), 0x00000001, 0x751997D0);

  // The register enters as an XOR over the first four message bytes.
  __m128i x1 = _mm_xor_si128(Load128(data), _mm_cvtsi32_si128(static_cast<int>(reg)));
  __m128i x2 = Load128(data + 16);
  __m128i x3 = Load128(data + 32);
  __m128i x4 = Load128(data + 48);
  data += 64;
  len -= 64;

  while (len >= 64) {
    x1 = Fold(x1, k512, Load128(data));
    x2 = Fold(x2, k512, Load128(data + 16));
    x3 = Fold(x3, k512, Load128(data + 32));
    x4 = Fold(x4, k512, Load128(data + 48));
    data += 64;
    len -= 64;
  }

  x1 = Fold(x1, k128, x2);
  x1 = Fold(x1, k128, x3);
  x1 = Fold(x1, k128, x4);
  while (len >= 16) {
    x1 = Fold(x1, k128, Load128(data));
    data += 16;
    len -= 16;
  }

  // The 16 folded bytes are congruent to everything read so far, so their
  // CRC from a zero register is the register of the whole prefix.
  alignas(16) unsigned char rest[16];
  _mm_store_si128(reinterpret_cast<__m128i*>(rest), x1);
  reg = UpdateSliced(0, rest, sizeof rest);
  return UpdateSliced(reg, data, len);
}

#else  // no carry-less multiply on this target

bool HaveFoldedLoop() { return false; }

std::uint32_t UpdateFolded(std::uint32_t reg, const unsigned char* data, std::size_t len) {
  return UpdateSliced(reg, data, len);
}

#endif

LoopFn ProductLoop() { return HaveFoldedLoop() ? &UpdateFolded : &UpdateSliced; }

}  // namespace tarvex::crc32
