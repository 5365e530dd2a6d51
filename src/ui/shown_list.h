#pragma once
// What a list control shows, kept in step with its list in the window's
// state from the changes alone: the control is told only what changed, and
// nothing here looks at the whole list, so a row added or removed costs one
// row however long the list grows (a flash disk can hold thousands of worms).
#include <cstddef>

namespace tarvex::ui {

// The messages that bring a list control in step: remove its entries from
// the last down to `keep`, then add the list's entries from `keep` up to
// `wanted`.
struct ListEdit {
  std::size_t keep = 0;
  std::size_t shown = 0;
  std::size_t wanted = 0;
  bool RemovesAll() const { return keep == 0; }
  bool Changes() const { return keep < shown || keep < wanted; }
};

class ShownList {
 public:
  // The edit for a list now `wanted` long whose first `unchanged` entries
  // are as they were when last shown; the control is then taken to show it.
  ListEdit CatchUp(std::size_t unchanged, std::size_t wanted);
  std::size_t Size() const { return shown_; }

 private:
  std::size_t shown_ = 0;
};

}  // namespace tarvex::ui
