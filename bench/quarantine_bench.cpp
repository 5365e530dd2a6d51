// Karantina on an infested flash disk, in memory: a worm's program beside
// every folder and a copy of another worm, under one name, in every tenth;
// each file quarantined in turn, its manifest line appended. Per file the
// cost must not grow with what the quarantine already holds (200, 2 000 and
// 20 000 files; the "per_row" counter).
#include <benchmark/benchmark.h>

#include <string>

#include "per_item.h"
#include "remedy/remedy.h"
#include "support/fake_file_system.h"
#include "support/fixed_clock.h"

namespace {

using namespace tarvex;

void BM_SameNamedFilesQuarantined(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    testing::FakeFileSystem files;
    testing::FixedClock clock;
    files.MakeFolder("C:\\Karantina\\");
    std::vector<Detection> found;
    Remedy remedy({files, clock, [](const std::string&) {}});
    for (std::size_t i = 0; i < n; ++i) {
      const std::string path = "E:\\Folder " + std::to_string(i) + (i % 10 == 0 ? "\\eicar.com" : ".exe");
      files.Add(path, "X5O!P%@AP[4\\PZX54(P^)7CC)7}$EICAR");
      found.push_back({path, "EICAR-Test-File", 68, "", files.Identify(path)});
    }
    Quarantine quarantine("C:\\Karantina\\", files, clock);
    state.ResumeTiming();
    for (const Detection& f : found) remedy.Apply(f, RemedyAction::Quarantine, quarantine);
    benchmark::DoNotOptimize(files.files.size());
  }
  state.counters["per_row"] = PerItem(n);
}

}  // namespace

BENCHMARK(BM_SameNamedFilesQuarantined)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);
