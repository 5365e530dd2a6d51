// The scan engine's per-file work against the table walks it replaces: the
// virus patterns over a buffer just under the CRC size limit, a database
// lookup in a file of 1 999 signatures (a miss: the costly case), and the
// folder-twin rule in a stick's root of worm copies beside hidden folders.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "per_item.h"
#include "scan/heuristics.h"
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

// A root of n hidden folders, each with its worm copy beside it: the listing
// is read once, then every copy is looked up (the "per_file" counter must
// not grow with n).
void BM_FolderTwinsInARoot(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  std::vector<tarvex::sys::DirEntry> root;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string name = "Folder " + std::to_string(i);
    root.push_back({name, tarvex::sys::kAttrDirectory | tarvex::sys::kAttrHidden});
    root.push_back({name + ".exe", tarvex::sys::kAttrArchive});
  }
  for (auto _ : state) {
    const tarvex::heuristics::HiddenFolders hidden(root);
    for (std::size_t i = 1; i < root.size(); i += 2)
      benchmark::DoNotOptimize(tarvex::heuristics::FileHeuristic(root[i].name, "MZ", hidden));
  }
  state.counters["per_file"] = PerItem(n);
}

}  // namespace

BENCHMARK(BM_VirusTableWalk);
BENCHMARK(BM_VirusPatternSet);
BENCHMARK(BM_LookupCrcInText);
BENCHMARK(BM_CrcSignatureTableLookup);
BENCHMARK(BM_CrcSignatureTableParse);
BENCHMARK(BM_FolderTwinsInARoot)->Arg(400)->Arg(4000);
