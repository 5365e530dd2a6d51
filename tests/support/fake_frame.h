#pragma once
// A window frame for a state class under test: it records what the state asks
// of its window.
#include <string>
#include <vector>

#include "ui/window_state.h"

namespace tarvex::testing {

class FakeFrame : public ui::WindowFrame {
 public:
  void Close() override { ++closed; }
  ui::Box FrameBox() const override { return box; }
  void SetFrameBox(const ui::Box& b) override { box = b; }
  void SetBusyCursor(bool busy) override { busyCursor = busy; }
  void DoEvents() override { ++events; }
  void SetTitle(const std::string& t) override { title = t; }
  void ShowPopupMenu(int menuId) override { popups.push_back(menuId); }

  int closed = 0;
  ui::Box box;
  bool busyCursor = false;
  int events = 0;
  std::string title;
  std::vector<int> popups;
};

}  // namespace tarvex::testing
