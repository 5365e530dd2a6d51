// The main window's result list as an infested flash disk fills it: rows
// added one at a time, each shown before the next (a scan shows its rows
// every frame), then removed from the last up, each shown, as Karantina and
// Hapus remove them. The state's rows, what it tells of them and the
// count of what the control shows: per row the cost must not grow with the
// list (200, 2 000 and 20 000 rows; the "per_row" counter).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "per_item.h"
#include "app/antivirus_table.h"
#include "scan/detection.h"
#include "ui/list_rows.h"
#include "ui/shown_list.h"

namespace {

using tarvex::ui::ControlState;

constexpr tarvex::ui::ControlTable kTable{tarvex::kAntivirusControls};
constexpr int kList = kTable.IdOf("ListView1");

void BM_ResultRowsAddedThenRemoved(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  ControlState controls(kTable);
  // The main window's records: each detection with its file's identity.
  tarvex::ui::ListRows<tarvex::Detection> rows(controls, kList,
                                               [](const tarvex::Detection& d, std::size_t) { return d.path; });
  tarvex::ui::ShownList shown;
  std::size_t sent = 0;  // the rows the control was sent
  controls.SetListener([&](int id, tarvex::ui::Change) {
    const tarvex::ui::ListEdit edit = shown.CatchUp(controls.TakeUnchangedPrefix(id), rows.size());
    sent += edit.wanted - edit.keep;
  });
  for (auto _ : state) {
    for (std::size_t i = 0; i < n; ++i)
      rows.Add({"E:\\Folder " + std::to_string(i) + ".exe", "Heur.FolderTwin", 4096, "Heuristik", {}});
    for (std::size_t i = n; i > 0; --i) rows.Remove(i - 1);
    benchmark::DoNotOptimize(sent);
  }
  state.counters["per_row"] = PerItem(n);
}

}  // namespace

BENCHMARK(BM_ResultRowsAddedThenRemoved)->Arg(200)->Arg(2000)->Arg(20000);
