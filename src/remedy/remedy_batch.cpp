#include "remedy/remedy_batch.h"

#include <algorithm>

#include "scan/heuristics.h"

namespace tarvex {

RemedyAction RemedyBatch::HapusAction(const Detection& found) {
  return found.remark == heuristics::kRemark ? RemedyAction::Quarantine : RemedyAction::Delete;
}

void RemedyBatch::Add(Detection found, RemedyAction action, std::string original) {
  rows_.push_back({std::move(found), action, std::move(original), {}});
}

void RemedyBatch::Apply(Remedy& remedy, Quarantine& quarantine, sys::FileSystem& files,
                        const std::function<void(std::size_t)>& after) {
  if (Moves()) {
    files.MakeFolder(quarantine.Folder());
    quarantine.ForgetTakenNames();
  }
  for (std::size_t k = 1; k <= rows_.size(); ++k) {
    Row& row = rows_[rows_.size() - k];
    row.outcome = remedy.Apply(row.found, row.action, quarantine, row.original);
    if (after) after(k);
  }
}

std::size_t RemedyBatch::Count(RemedyOutcome::Kind kind) const {
  return static_cast<std::size_t>(
      std::count_if(rows_.begin(), rows_.end(), [kind](const Row& r) { return r.outcome.kind == kind; }));
}

bool RemedyBatch::Moves() const {
  return std::any_of(rows_.begin(), rows_.end(), [](const Row& r) { return r.action == RemedyAction::Quarantine; });
}

}  // namespace tarvex
