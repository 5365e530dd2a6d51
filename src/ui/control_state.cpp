#include "ui/control_state.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tarvex::ui {

ControlState::ControlState(ControlTable table) : table_(table) { Reset(); }

void ControlState::Reset() {
  values_.clear();
  for (const ControlSpec& c : table_) {
    Value v;
    v.text = c.text ? c.text : "";
    v.bounds = c.box;
    values_.push_back(std::move(v));
  }
}

const ControlSpec& ControlState::Design(int id) const {
  const ControlSpec* c = table_.Find(id);
  if (!c) throw std::out_of_range("no control with id " + std::to_string(id));
  return *c;
}

void ControlState::ListChanged(int id, std::size_t index) {
  std::size_t& unchanged = At(id).unchangedPrefix;
  if (index < unchanged) unchanged = index;
  Tell(id, Change::Items);
}

std::size_t ControlState::TakeUnchangedPrefix(int id) {
  Value& v = At(id);
  return std::exchange(v.unchangedPrefix, std::max(v.items.size(), v.rows.size()));
}

void ControlState::AddRow(int id, Row row) {
  std::vector<Row>& rows = At(id).rows;
  rows.push_back(std::move(row));
  ListChanged(id, rows.size() - 1);
}

// Only the rows after `index` move: removing from the last row up, as a
// clean-up does, moves none but those that stayed.
void ControlState::RemoveRow(int id, std::size_t index) {
  std::vector<Row>& rows = At(id).rows;
  if (index >= rows.size()) return;
  rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
  ListChanged(id, index);
}

void ControlState::AddItem(int id, const std::string& item) {
  std::vector<std::string>& items = At(id).items;
  items.push_back(item);
  ListChanged(id, items.size() - 1);
}

void ControlState::ClearItems(int id) {
  At(id).items.clear();
  At(id).rows.clear();
  ListChanged(id, 0);
}

}  // namespace tarvex::ui
