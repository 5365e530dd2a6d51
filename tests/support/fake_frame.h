#pragma once
// A window frame for a state class under test: it records what the state asks
// of its window. Given a state through Load, it also loads and unloads that
// state the way the real window does.
#include <functional>
#include <string>
#include <vector>

#include "ui/window_state.h"

namespace tarvex::testing {

class FakeFrame : public ui::WindowFrame {
 public:
  void Close() override {
    ++closed;
    if (!loaded_) return;
    ui::WindowState& s = *loaded_;
    loaded_ = nullptr;
    s.Form_Unload();
    s.AttachFrame(nullptr);
  }
  ui::Box FrameBox() const override { return box; }
  void SetFrameBox(const ui::Box& b) override {
    box = b;
    ++moves;
  }
  void SetBusyCursor(bool busy) override { busyCursor = busy; }
  void DoEvents() override {
    ++events;
    if (onDoEvents) onDoEvents();
  }
  void SetTitle(const std::string& t) override { title = t; }
  void ShowPopupMenu(int menuId) override { popups.push_back(menuId); }
  std::vector<std::size_t> SelectedRows(int) const override { return selected; }

  // Loads `state` as showing its window does: controls and timers back to
  // their tables, the frame attached, Form_Load. Close unloads it again.
  void Load(ui::WindowState& state) {
    loaded_ = &state;
    state.Controls().Reset();
    state.Timers().Reset();
    state.AttachFrame(this);
    state.Form_Load();
  }
  // One tick of a timer of the loaded state, if it runs; false when not.
  bool Tick(int timer) {
    if (!loaded_ || !loaded_->Timers().Running(timer)) return false;
    loaded_->Timer(timer);
    return true;
  }

  int closed = 0;
  ui::Box box;
  int moves = 0;
  bool busyCursor = false;
  int events = 0;
  std::function<void()> onDoEvents;
  std::string title;
  std::vector<int> popups;
  std::vector<std::size_t> selected;  // the rows the user picked

 private:
  ui::WindowState* loaded_ = nullptr;
};

}  // namespace tarvex::testing
