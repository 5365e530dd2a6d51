#pragma once
// One Hapus, Karantina, --remove or --move: every file found, with what is to
// be done to it, done from the last to the first (a list then loses rows
// without renumbering one still to come), and what became of each.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "remedy/remedy.h"

namespace tarvex {

class RemedyBatch {
 public:
  struct Row {
    Detection found;
    RemedyAction action = RemedyAction::Delete;
    std::string original;  // the path the manifest keeps; the found path when empty
    RemedyOutcome outcome;
  };

  // What Hapus does with a row: a guess of a heuristic rule ("Heuristik") is
  // never deleted, for a deleted file cannot be restored; it goes into the
  // quarantine. Every other row is deleted.
  static RemedyAction HapusAction(const Detection& found);

  void Add(Detection found, RemedyAction action, std::string original = "");
  // Every row in turn from the last, `after(k)` told once the k-th is done
  // (from 1). The quarantine folder is made first when a row goes there.
  void Apply(Remedy& remedy, Quarantine& quarantine, sys::FileSystem& files,
             const std::function<void(std::size_t)>& after = {});

  const std::vector<Row>& Rows() const { return rows_; }
  std::size_t Count(RemedyOutcome::Kind kind) const;
  // Some row goes into the quarantine.
  bool Moves() const;

 private:
  std::vector<Row> rows_;
};

}  // namespace tarvex
