#pragma once
// The Win32 window over one state class: it makes a control object of its
// kind for each row of the state's control table and holds them by id,
// mirrors every change of the control state into them, runs the timers of
// the timer table, and hands every event to the state, a control's through
// that control. It decides nothing.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/window_win32.h"
#include "ui/change_mirror_win32.h"
#include "ui/control_kinds_win32.h"
#include "ui/window_state.h"
#include "widgets/xp_button_win32.h"

namespace tarvex::ui {

class TableWindow : public Window, public WindowFrame, private ControlHost {
 public:
  explicit TableWindow(std::unique_ptr<WindowState> state);
  ~TableWindow() override;

  // Loads the window when it is not loaded (controls and timers back to
  // their tables, children created, Form_Load), then shows it. `owner` owns
  // it; null for the main window.
  bool Show(HWND owner, int showCommand = SW_SHOWNORMAL);
  bool IsLoaded() const { return Handle() != nullptr; }

  WindowState& State() override { return *state_; }
  // The real control, button or menu with this id; null while not loaded.
  HWND Control(int id) const;
  XPButton* Button(int id) const;
  HMENU Menu(int id) const;

  // Runs when the window unloads, after its Form_Unload and before it goes,
  // so that the window that owns it is usable again when activation returns.
  std::function<void()> onUnload;

  // WindowFrame
  void Close() override;
  Box FrameBox() const override;
  void SetFrameBox(const Box& box) override;
  void SetBusyCursor(bool busy) override;
  void DoEvents() override;
  void SetTitle(const std::string& title) override;
  void ShowPopupMenu(int menuId) override;
  std::vector<std::size_t> SelectedRows(int listId) const override;

 protected:
  // Draws a Picture control; the default fills it with its back colour.
  void PaintPicture(int id, HDC dc, const RECT& r) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnDestroyed() override;
  // Runs one event of this window; what it changes is shown when it ends.
  void Handled(const std::function<void()>& event) override;

 private:
  bool Load(HWND owner);
  void MakeControls();
  // The control object with this id, or null.
  ui::Control* Find(int id) const;
  // Hands a notification to the control it names, which turns it into the state's event.
  void Notify(int id, HWND from, int code, LPARAM detail);
  void Listen();
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  void ApplyTimer(const TimerSpec& t);
  LRESULT ControlColours(HDC dc, HWND control, UINT msg, WPARAM wp, LPARAM lp);
  void Activated(bool activation);

  std::unique_ptr<WindowState> state_;
  ChangeMirror::Controls controls_;  // by id
  // Controls of the last showing: a handler may close the window from inside
  // one of its buttons' own messages, so they live until the next load.
  ChangeMirror::Controls retired_;
  ChangeMirror mirror_;
  HWND tooltip_ = nullptr;
  HWND focus_ = nullptr;  // the control that had the focus when the window was last left
  inline static bool busyCursor_ = false;  // the cursor is screen-wide, so is its state
  bool closing_ = false;
  int handling_ = 0;  // events of this window being handled, nested ones included
};

}  // namespace tarvex::ui
