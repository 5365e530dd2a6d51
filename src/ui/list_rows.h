#pragma once
// The records a window's state shows as the rows of a list view, kept once:
// the state works with them as a list, the list view reads a cell's text
// from them as it draws it, and every change is told to the control state,
// so that the list's control is sent only the rows from the first changed
// one on.
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/control_state.h"

namespace tarvex::ui {

template <class T>
class ListRows : public RowSource {
 public:
  // The text of a record's column (0: the row's own text).
  using CellText = std::function<std::string(const T& record, std::size_t column)>;

  ListRows(ControlState& controls, int listId, CellText cell)
      : controls_(controls), id_(listId), cell_(std::move(cell)) {
    controls_.SetRowSource(id_, *this);
  }
  ListRows(const ListRows&) = delete;
  ListRows& operator=(const ListRows&) = delete;

  std::size_t size() const { return records_.size(); }
  bool empty() const { return records_.empty(); }
  const T& operator[](std::size_t i) const { return records_[i]; }
  const std::vector<T>& All() const { return records_; }

  void Add(T record) {
    records_.push_back(std::move(record));
    controls_.RowsChanged(id_, records_.size() - 1);
  }
  // Only the rows after `index` move: removing from the last row up, as a
  // clean-up does, moves none but those that stayed. No such row, nothing.
  void Remove(std::size_t index) {
    if (index >= records_.size()) return;
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    controls_.RowsChanged(id_, index);
  }
  void Assign(std::vector<T> records) {
    records_ = std::move(records);
    controls_.RowsChanged(id_, 0);
  }
  void Clear() { Assign({}); }

  // RowSource
  std::size_t RowCount() const override { return records_.size(); }
  std::string Cell(std::size_t row, std::size_t column) const override { return cell_(records_.at(row), column); }

 private:
  ControlState& controls_;
  int id_;
  CellText cell_;
  std::vector<T> records_;
};

}  // namespace tarvex::ui
