#pragma once
// The control factory: one row per kind of control says everything the
// window does with that kind — the child it creates, how the child shows a
// change of text, enabled, tick, position or items, which changes wait for
// the end of an event, how its notifications reach the state, whether it is
// drawn on its container's background, and how an owner-drawn one is drawn.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/control_state.h"
#include "ui/shown_list.h"
#include "ui/window_state.h"
#include "widgets/xp_button_win32.h"

namespace tarvex::ui {

// What a row may use of the window its control lives in.
class ControlHost {
 public:
  virtual ~ControlHost() = default;
  virtual WindowState& State() = 0;
  virtual HWND WindowHandle() const = 0;
  // A control's window; null for menus and controls not made.
  virtual HWND Control(int id) const = 0;
  // Runs an event of the window; what it changes is shown when it ends.
  virtual void Handled(const std::function<void()>& event) = 0;
  virtual void AddTooltip(HWND control, const char* text) = 0;
  // The window keeps what a row makes beyond child windows.
  virtual void Keep(int id, std::unique_ptr<XPButton> button) = 0;
  virtual XPButton* Button(int id) = 0;
  virtual void Keep(int id, HMENU menu) = 0;
  virtual HMENU Menu(int id) const = 0;
  // What a text box shows goes into the state, without being written back.
  virtual void PullText(int id) = 0;
  // How far a list's control is in step with its list, for sending only what changed.
  virtual ShownList& Shown(int id) = 0;
  virtual std::vector<Row>& ShownRows(int id) = 0;
  virtual void PaintPicture(int id, HDC dc, const RECT& r) = 0;
};

// One control as its row sees it.
struct ControlSite {
  ControlHost& host;
  const ControlSpec& design;
  HWND hwnd = nullptr;  // its window; null for menus, and until it is made
  ControlState& state() const { return host.State().Controls(); }
  int id() const { return design.id; }
};

constexpr unsigned ChangeBit(Change c) { return 1u << static_cast<unsigned>(c); }

struct ControlKind {
  Kind kind;
  // Makes the control under `parent` with `font`; its window, or null.
  HWND (*make)(ControlSite& site, HWND parent, HFONT font);
  // How the control shows its state's value; null: the kind has none. A
  // change of place or visibility is the same for every kind with a window.
  void (*text)(const ControlSite&);
  void (*enabled)(const ControlSite&);
  void (*checked)(const ControlSite&);
  void (*position)(const ControlSite&);
  void (*items)(const ControlSite&);
  // A notification with its code, from the control to its window.
  void (*notify)(const ControlSite&, int code);
  // Owner-drawn kinds.
  void (*draw)(const ControlSite&, const DRAWITEMSTRUCT&);
  // What an event may change many times over while it runs (the status line
  // and counters of a scan): shown when the event ends or yields, not at
  // every change, so a long command repaints at most once per turn of the queue.
  unsigned shownLater;
  // Drawn on its container's background, in the window's text colour.
  bool onBackground;
};

const ControlKind& KindOf(Kind kind);

}  // namespace tarvex::ui
