#include "ui/control_state.h"

#include <stdexcept>

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

void ControlState::AddRow(int id, Row row) {
  At(id).rows.push_back(std::move(row));
  Tell(id, Change::Items);
}

void ControlState::RemoveRow(int id, std::size_t index) {
  std::vector<Row>& rows = At(id).rows;
  if (index >= rows.size()) return;
  rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(index));
  Tell(id, Change::Items);
}

void ControlState::AddItem(int id, const std::string& item) {
  At(id).items.push_back(item);
  Tell(id, Change::Items);
}

void ControlState::ClearItems(int id) {
  At(id).items.clear();
  At(id).rows.clear();
  Tell(id, Change::Items);
}

}  // namespace tarvex::ui
