// CRC-32 throughput on a buffer just under the scan's CRC size limit.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

#include "signatures/cls_crc.h"
#include "signatures/crc32_loops.h"

namespace {

constexpr std::size_t kBufferSize = 700 * 1024;

const std::vector<unsigned char>& Buffer() {
  static const std::vector<unsigned char> buf = [] {
    std::vector<unsigned char> v(kBufferSize);
    std::mt19937 rng(700);
    for (auto& b : v) b = static_cast<unsigned char>(rng());
    return v;
  }();
  return buf;
}

std::uint32_t ZlibCrc(const std::vector<unsigned char>& v) {
  return static_cast<std::uint32_t>(crc32(0L, v.data(), static_cast<uInt>(v.size())));
}

// A loop that is fast but wrong must not show up as a result.
void CheckAgainstZlib(benchmark::State& state, std::uint32_t got) {
  if (got != ZlibCrc(Buffer())) state.SkipWithError("checksum differs from zlib's");
}

void Finish(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(kBufferSize));
}

void BM_ProductLoop(benchmark::State& state) {
  const auto& v = Buffer();
  tarvex::clsCRC crc;
  for (auto _ : state) benchmark::DoNotOptimize(crc.CalculateBytes(v));
  CheckAgainstZlib(state, static_cast<std::uint32_t>(crc.CalculateBytes(v)));
  state.SetLabel(tarvex::crc32::HaveFoldedLoop() ? "folded (pclmul)" : "sliced");
  Finish(state);
}

void BM_SlicedLoop(benchmark::State& state) {
  const auto& v = Buffer();
  for (auto _ : state) benchmark::DoNotOptimize(tarvex::crc32::UpdateSliced(0xFFFFFFFFu, v.data(), v.size()));
  CheckAgainstZlib(state, ~tarvex::crc32::UpdateSliced(0xFFFFFFFFu, v.data(), v.size()));
  Finish(state);
}

void BM_OneByteLoop(benchmark::State& state) {
  const auto& v = Buffer();
  for (auto _ : state) benchmark::DoNotOptimize(tarvex::crc32::UpdateBytewise(0xFFFFFFFFu, v.data(), v.size()));
  CheckAgainstZlib(state, ~tarvex::crc32::UpdateBytewise(0xFFFFFFFFu, v.data(), v.size()));
  Finish(state);
}

void BM_ZlibCrc32(benchmark::State& state) {
  const auto& v = Buffer();
  for (auto _ : state) benchmark::DoNotOptimize(ZlibCrc(v));
  Finish(state);
}

}  // namespace

BENCHMARK(BM_ProductLoop);
BENCHMARK(BM_SlicedLoop);
BENCHMARK(BM_OneByteLoop);
BENCHMARK(BM_ZlibCrc32);

BENCHMARK_MAIN();
