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
  const RowSource* rows = RowSourceOf(id);
  return std::exchange(v.unchangedPrefix, std::max(v.items.size(), rows ? rows->RowCount() : 0));
}

const RowSource* ControlState::RowSourceOf(int id) const {
  auto it = sources_.find(id);
  return it == sources_.end() ? nullptr : it->second;
}

std::vector<Row> ControlState::Rows(int id) const {
  std::vector<Row> rows;
  const RowSource* source = RowSourceOf(id);
  for (std::size_t r = 0; source && r < source->RowCount(); ++r) {
    Row& row = rows.emplace_back();
    for (std::size_t c = 0; c < Design(id).columns.size(); ++c) row.push_back(source->Cell(r, c));
  }
  return rows;
}

void ControlState::AddItem(int id, const std::string& item) {
  std::vector<std::string>& items = At(id).items;
  items.push_back(item);
  ListChanged(id, items.size() - 1);
}

void ControlState::ClearItems(int id) {
  At(id).items.clear();
  ListChanged(id, 0);
}

}  // namespace tarvex::ui
