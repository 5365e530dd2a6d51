// The main window's result list as an infested flash disk fills it: rows
// added one at a time, each shown before the next (a scan shows its rows
// every frame), then removed from the last up, each shown, as Karantina and
// Hapus remove them. The state's rows, what it tells of them and the
// mirror's copy of what the control shows: per row the cost must not grow
// with the list (200, 2 000 and 20 000 rows; the "per_row" counter).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "per_item.h"
#include "app/antivirus_table.h"
#include "ui/control_state.h"
#include "ui/shown_list.h"

namespace {

using tarvex::ui::ControlState;
using tarvex::ui::Row;

constexpr tarvex::ui::ControlTable kTable{tarvex::kAntivirusControls};
constexpr int kList = kTable.IdOf("ListView1");

void BM_ResultRowsAddedThenRemoved(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  ControlState controls(kTable);
  tarvex::ui::ShownList shown;
  std::vector<Row> control;  // the mirror's copy of what the control shows
  controls.SetListener([&](int id, tarvex::ui::Change) {
    const std::vector<Row>& rows = controls.Rows(id);
    tarvex::ui::ApplyEdit(shown.CatchUp(controls.TakeUnchangedPrefix(id), rows.size()), rows, control);
  });
  for (auto _ : state) {
    for (std::size_t i = 0; i < n; ++i)
      controls.AddRow(kList, {"", "Heur.FolderTwin", "E:\\Folder " + std::to_string(i) + ".exe", "4096", "Heuristik"});
    for (std::size_t i = n; i > 0; --i) controls.RemoveRow(kList, i - 1);
    benchmark::DoNotOptimize(control.data());
  }
  state.counters["per_row"] = PerItem(n);
}

}  // namespace

BENCHMARK(BM_ResultRowsAddedThenRemoved)->Arg(200)->Arg(2000)->Arg(20000);
