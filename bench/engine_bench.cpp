// The scan engine's per-file work against the table walks it replaces: the
// virus patterns over a buffer just under the CRC size limit, and a database
// lookup in a file of 1 999 signatures (a miss: the costly case).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "signatures/crc_signature_table.h"
#include "signatures/pattern_set.h"
#include "signatures/signature_database.h"
#include "signatures/string_signature.h"

namespace {

const std::vector<unsigned char>& Buffer() {
  static const std::vector<unsigned char> buf = [] {
    std::vector<unsigned char> v(700 * 1024);
    std::mt19937 rng(701);
    for (auto& b : v) b = static_cast<unsigned char>(rng());
    return v;
  }();
  return buf;
}

const std::string& DatabaseText() {
  static const std::string text = [] {
    std::mt19937 rng(1999);
    std::string t;
    char key[16];
    for (int i = 0; i < 1999; ++i) {
      std::snprintf(key, sizeof key, "%X", static_cast<unsigned>(rng()));
      t += std::string(key) + ":w32.Bench" + std::to_string(i) + "\r\n";
    }
    return t + "Selesai:Selesai\r\n";
  }();
  return text;
}

void SetBytes(benchmark::State& state, std::size_t perIteration) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(perIteration));
}

void BM_VirusTableWalk(benchmark::State& state) {
  for (auto _ : state) {
    bool found = false;
    for (const tarvex::ConvertedVirus& v : tarvex::ConvertedVirusTable()) found |= tarvex::ContainsPattern(Buffer(), v.bytes);
    benchmark::DoNotOptimize(found);
  }
  SetBytes(state, Buffer().size());
}

void BM_VirusPatternSet(benchmark::State& state) {
  std::vector<std::string> patterns;
  for (const tarvex::ConvertedVirus& v : tarvex::ConvertedVirusTable()) patterns.push_back(v.bytes);
  tarvex::PatternSet set(patterns);
  for (auto _ : state) benchmark::DoNotOptimize(set.FirstFound(Buffer().data(), Buffer().size()));
  SetBytes(state, Buffer().size());
}

void BM_LookupCrcInText(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tarvex::LookupCrcInText(DatabaseText(), "ABCDEF12"));
}

void BM_CrcSignatureTableLookup(benchmark::State& state) {
  const tarvex::CrcSignatureTable table = tarvex::CrcSignatureTable::FromText(DatabaseText());
  for (auto _ : state) benchmark::DoNotOptimize(table.Lookup("ABCDEF12"));
}

void BM_CrcSignatureTableParse(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(tarvex::CrcSignatureTable::FromText(DatabaseText()));
}

}  // namespace

BENCHMARK(BM_VirusTableWalk);
BENCHMARK(BM_VirusPatternSet);
BENCHMARK(BM_LookupCrcInText);
BENCHMARK(BM_CrcSignatureTableLookup);
BENCHMARK(BM_CrcSignatureTableParse);
