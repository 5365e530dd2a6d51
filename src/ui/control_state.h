#pragma once
// What each control of one window shows right now: text, enabled, ticked,
// place and list items. The state class writes it; the Win32 window mirrors
// every change into the real control, and tests read it back.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/control_table.h"

namespace tarvex::ui {

enum class Change { Text, Enabled, Checked, Bounds, Items, Position };

// One row of a report-style list view: the row's own text, then its sub-items.
using Row = std::vector<std::string>;

// The rows of a report-style list view, kept once, by the window's state
// (see ListRows): the list view holds none and asks for a cell as it draws it.
class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual std::size_t RowCount() const = 0;
  // Column 0 is the row's own text; a column the row lacks is empty.
  virtual std::string Cell(std::size_t row, std::size_t column) const = 0;
};

class ControlState {
 public:
  explicit ControlState(ControlTable table);

  ControlTable Table() const { return table_; }
  const ControlSpec& Design(int id) const;

  const std::string& Text(int id) const { return At(id).text; }
  void SetText(int id, const std::string& text) { Set(id, &Value::text, text, Change::Text); }
  bool Enabled(int id) const { return At(id).enabled; }
  void SetEnabled(int id, bool enabled) { Set(id, &Value::enabled, enabled, Change::Enabled); }
  bool Checked(int id) const { return At(id).checked; }
  void SetChecked(int id, bool checked) { Set(id, &Value::checked, checked, Change::Checked); }
  const Box& Bounds(int id) const { return At(id).bounds; }
  void SetBounds(int id, const Box& bounds) { Set(id, &Value::bounds, bounds, Change::Bounds); }
  // The position of a progress bar (0 to 100) or of a scroll bar.
  int Position(int id) const { return At(id).position; }
  void SetPosition(int id, int position) { Set(id, &Value::position, position, Change::Position); }
  // The lines of a list box.
  const std::vector<std::string>& Items(int id) const { return At(id).items; }
  void AddItem(int id, const std::string& item);
  // Empties a list box.
  void ClearItems(int id);
  // The rows of a list view: the state's own, which tell here of every change.
  void SetRowSource(int id, const RowSource& rows) { sources_[id] = &rows; }
  const RowSource* RowSourceOf(int id) const;
  // The rows of list view `id` changed from row `index` on.
  void RowsChanged(int id, std::size_t index) { ListChanged(id, index); }
  // Every cell of a list view's rows, one column per column of its design.
  std::vector<Row> Rows(int id) const;
  // How many of a list's first rows (or items) are as they were when this
  // was last asked: what shows the list sends only the rest, so a row added
  // or removed costs one row however long the list is.
  std::size_t TakeUnchangedPrefix(int id);

  // Every control back to its table values (a window loaded afresh); a list
  // view keeps its rows' source.
  void Reset();

  // Told of every change, with the control's id.
  void SetListener(std::function<void(int id, Change)> listener) { listener_ = std::move(listener); }

 private:
  struct Value {
    std::string text;
    bool enabled = true;
    bool checked = false;
    Box bounds;
    int position = 0;
    std::vector<std::string> items;
    std::size_t unchangedPrefix = 0;  // of items or rows, since TakeUnchangedPrefix
  };
  std::size_t IndexOf(int id) const { return static_cast<std::size_t>(&Design(id) - table_.data()); }
  Value& At(int id) { return values_[IndexOf(id)]; }
  const Value& At(int id) const { return values_[IndexOf(id)]; }
  // The list of `id` changed from entry `index` on.
  void ListChanged(int id, std::size_t index);
  void Tell(int id, Change change) {
    if (listener_) listener_(id, change);
  }
  // Told only when the value really changes.
  template <class T>
  void Set(int id, T Value::*field, const T& value, Change change) {
    Value& v = At(id);
    if (v.*field == value) return;
    v.*field = value;
    Tell(id, change);
  }

  ControlTable table_;
  std::vector<Value> values_;
  std::map<int, const RowSource*> sources_;
  std::function<void(int, Change)> listener_;
};

}  // namespace tarvex::ui
