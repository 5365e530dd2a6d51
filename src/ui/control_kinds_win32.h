#pragma once
// One small class per kind of control. Each makes its control as the table
// and the state describe it, shows a change of the state, and turns the
// control's notifications into the state's events. The window holds them by
// id (TableWindow), and its ChangeMirror hands each the changes of its id.
#include <windows.h>

#include <functional>
#include <memory>

#include "base/scoped_win32.h"
#include "ui/control_state.h"
#include "ui/shown_list.h"
#include "ui/window_state.h"
#include "widgets/xp_button_win32.h"

namespace tarvex::ui {

// What a control needs of the window it lives in.
class ControlHost {
 public:
  virtual ~ControlHost() = default;
  virtual WindowState& State() = 0;
  // Runs an event of the window; what it changes is shown when it ends.
  virtual void Handled(const std::function<void()>& event) = 0;
  // Draws a Picture control (the window's own drawings: banner, badge, icon).
  virtual void PaintPicture(int id, HDC dc, const RECT& r) = 0;
};

// Where a control is made.
struct Placement {
  HWND parent = nullptr;   // the window, or the Frame or Picture the control lies in
  HWND window = nullptr;   // the window whose table it is
  HFONT font = nullptr;
  HWND* tooltips = nullptr;  // the window's tooltip control, made with the first tooltip
  HMENU menu = nullptr;      // a menu item's menu
};

constexpr unsigned ChangeBit(Change c) { return 1u << static_cast<unsigned>(c); }

class Control {
 public:
  // `shownLater`: the changes (ChangeBit) shown when the event that made
  // them ends or yields; `onBackground`: see OnBackground.
  Control(ControlHost& host, const ControlSpec& design, unsigned shownLater = 0, bool onBackground = false)
      : host_(host), design_(design), shownLater_(shownLater), onBackground_(onBackground) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // Makes the control; false when it could not be made.
  virtual bool Make(const Placement& at) = 0;
  // Shows the state's value that `change` changed. `ended`: the event that
  // changed it has ended. False when the control holds part of it back
  // until then (a list view's count).
  virtual bool Show(Change change, bool ended);
  // A notification (WM_COMMAND's code, or WM_NOTIFY's with its NMHDR in
  // `detail`), turned into the state's event.
  virtual void Notify(int /*code*/, LPARAM /*detail*/) {}
  // Owner-drawn kinds draw themselves.
  virtual void Draw(const DRAWITEMSTRUCT& /*item*/) {}

  const ControlSpec& Design() const { return design_; }
  // Its window; null for menus, and until it is made.
  HWND Handle() const { return hwnd_; }
  // What an event may change many times over (the status line and counters
  // of a scan) is shown when the event ends or yields, not at every change,
  // so a long command repaints at most once per turn of the queue.
  bool ShownLater(Change change) const { return (shownLater_ & ChangeBit(change)) != 0; }
  // Drawn on its container's background, in the window's text colour.
  bool OnBackground() const { return onBackground_; }

 protected:
  int Id() const { return design_.id; }
  ControlState& State() const { return host_.State().Controls(); }
  // The state's Click for this control.
  void Click() const { host_.State().Click(design_.id); }
  // A child window of one of the system's classes, as the table and the
  // state describe it.
  bool MakeChild(const Placement& at, const wchar_t* className, DWORD style, DWORD exStyle = 0);

  ControlHost& host_;
  const ControlSpec& design_;
  HWND hwnd_ = nullptr;

 private:
  unsigned shownLater_ = 0;
  bool onBackground_ = false;
};

// The control of `design`'s kind.
std::unique_ptr<Control> MakeControl(ControlHost& host, const ControlSpec& design);

// The kinds, as MakeControl makes them.

class LabelControl : public Control {
 public:
  LabelControl(ControlHost& host, const ControlSpec& design, unsigned shownLater = ChangeBit(Change::Text))
      : Control(host, design, shownLater, true) {}
  bool Make(const Placement& at) override;
};

class LinkControl : public LabelControl {  // static text that takes clicks
 public:
  LinkControl(ControlHost& host, const ControlSpec& design) : LabelControl(host, design, 0) {}
  void Notify(int code, LPARAM detail) override;
};

class ButtonControl : public Control {  // the XP button
 public:
  using Control::Control;
  bool Make(const Placement& at) override;
  bool Show(Change change, bool ended) override;
  void Notify(int code, LPARAM detail) override;
  XPButton* Button() const { return button_.get(); }

 private:
  std::unique_ptr<XPButton> button_;
};

class TextBoxControl : public Control {
 public:
  using Control::Control;
  bool Make(const Placement& at) override;
  bool Show(Change change, bool ended) override;
  void Notify(int code, LPARAM detail) override;

 private:
  bool pulling_ = false;  // the box's own text going into the state, not written back
};

class CheckBoxControl : public Control {
 public:
  CheckBoxControl(ControlHost& host, const ControlSpec& design) : Control(host, design, 0, true) {}
  bool Make(const Placement& at) override;
  bool Show(Change change, bool ended) override;
  void Notify(int code, LPARAM detail) override;
};

// A Frame or a Picture: holds controls of its own, whose notifications it
// hands to the window; a Picture is drawn by the window.
class ContainerControl : public Control {
 public:
  ContainerControl(ControlHost& host, const ControlSpec& design)
      : Control(host, design, 0, design.kind == Kind::Frame) {}
  bool Make(const Placement& at) override;
  void Draw(const DRAWITEMSTRUCT& item) override;
};

class ListBoxControl : public Control {
 public:
  ListBoxControl(ControlHost& host, const ControlSpec& design) : Control(host, design, ChangeBit(Change::Items)) {}
  bool Make(const Placement& at) override;
  bool Show(Change change, bool ended) override;

 private:
  ShownList shown_;
};

class ListViewControl : public Control {
 public:
  ListViewControl(ControlHost& host, const ControlSpec& design) : Control(host, design, ChangeBit(Change::Items)) {}
  bool Make(const Placement& at) override;
  bool Show(Change change, bool ended) override;
  void Notify(int code, LPARAM detail) override;

 private:
  ShownList shown_;
};

class ProgressBarControl : public Control {
 public:
  ProgressBarControl(ControlHost& host, const ControlSpec& design)
      : Control(host, design, ChangeBit(Change::Position)) {}
  bool Make(const Placement& at) override;
  bool Show(Change change, bool ended) override;
};

class StatusBarControl : public Control {
 public:
  StatusBarControl(ControlHost& host, const ControlSpec& design) : Control(host, design, ChangeBit(Change::Text)) {}
  bool Make(const Placement& at) override;
};

class LineControl : public Control {
 public:
  using Control::Control;
  bool Make(const Placement& at) override;
  void Draw(const DRAWITEMSTRUCT& item) override;
};

class MenuControl : public Control {  // a pop-up menu
 public:
  using Control::Control;
  bool Make(const Placement& at) override;
  HMENU Menu() const { return menu_.get(); }

 private:
  ScopedMenu menu_;
};

class MenuItemControl : public Control {
 public:
  using Control::Control;
  bool Make(const Placement& at) override;
  bool Show(Change change, bool ended) override;
  void Notify(int code, LPARAM detail) override;

 private:
  HMENU menu_ = nullptr;  // its menu's, which outlives it
};

}  // namespace tarvex::ui
