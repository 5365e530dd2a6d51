#include "ui/table_window_win32.h"

#include <commctrl.h>

#include "base/paint_objects_win32.h"
#include "base/wide_text_win32.h"
#include "ui/activation_rule.h"
#include "ui/frame_style_win32.h"
#include "ui/window_messages.h"

namespace tarvex::ui {

namespace {

ActivationRule activations;

}  // namespace

TableWindow::TableWindow(std::unique_ptr<WindowState> state) : state_(std::move(state)), mirror_(controls_, *this) {}

TableWindow::~TableWindow() {
  // The program ends or the owner goes: no unload handler runs.
  if (Handle()) DestroyHandle();
}

ui::Control* TableWindow::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second.get();
}

HWND TableWindow::Control(int id) const {
  const ui::Control* c = Find(id);
  return c ? c->Handle() : nullptr;
}

XPButton* TableWindow::Button(int id) const {
  const auto* c = dynamic_cast<const ButtonControl*>(Find(id));
  return c ? c->Button() : nullptr;
}

HMENU TableWindow::Menu(int id) const {
  const auto* c = dynamic_cast<const MenuControl*>(Find(id));
  return c ? c->Menu() : nullptr;
}

bool TableWindow::Show(HWND owner, int showCommand) {
  if (!Handle() && !Load(owner)) return false;
  const bool wasVisible = IsWindowVisible(Handle()) != FALSE;
  ShowWindow(Handle(), showCommand);
  if (wasVisible && showCommand != SW_SHOWNOACTIVATE && showCommand != SW_SHOWNA) SetActiveWindow(Handle());
  UpdateWindow(Handle());
  return true;
}

bool TableWindow::Load(HWND owner) {
  const WindowSpec& w = state_->Window();
  retired_.clear();
  state_->Controls().Reset();
  state_->Timers().Reset();
  const FrameStyle f = StyleOf(w);
  if (!CreateHandle({w.className, f.style, f.exStyle, w.title, f.outer, owner, w.programIcon})) return false;
  if (w.frame == Frame::None) {
    // Nothing to hold and drag, and the keyboard may not move or size it either.
    HMENU system = GetSystemMenu(Handle(), FALSE);
    for (UINT item : {SC_MOVE, SC_SIZE, SC_MAXIMIZE}) DeleteMenu(system, item, MF_BYCOMMAND);
  }
  MakeControls();
  Listen();
  for (const TimerSpec& t : state_->Timers().All()) ApplyTimer(t);
  state_->AttachFrame(this);
  state_->Form_Load();
  return Handle() != nullptr;
}

void TableWindow::MakeControls() {
  for (const ControlSpec& c : state_->Controls().Table()) {
    Placement at{.parent = c.parent && c.kind != Kind::MenuItem ? Control(c.parent) : Handle(),
                 .window = Handle(),
                 .font = FontFor(c.font.face ? c.font : state_->Window().font),
                 .tooltips = &tooltip_,
                 .menu = c.kind == Kind::MenuItem ? Menu(c.parent) : nullptr};
    // A control whose container could not be made is not made either.
    if (!at.parent) continue;
    // Held before it is made: a control asks its window for colours while it is made.
    std::unique_ptr<ui::Control>& control = controls_[c.id] = MakeControl(*this, c);
    if (!control || !control->Make(at)) controls_.erase(c.id);
  }
}

void TableWindow::Listen() {
  state_->Controls().SetListener([this](int id, Change change) { mirror_.Changed(id, change, handling_ > 0); });
  state_->Timers().SetListener([this](const TimerSpec& t) { ApplyTimer(t); });
}

void TableWindow::ApplyTimer(const TimerSpec& t) {
  if (!Handle()) return;
  if (t.running && t.intervalMs > 0) {
    SetTimer(Handle(), static_cast<UINT_PTR>(t.id), t.intervalMs, nullptr);
  } else {
    KillTimer(Handle(), static_cast<UINT_PTR>(t.id));
  }
}

void TableWindow::Notify(int id, HWND from, int code, LPARAM detail) {
  // Only from the control's own window; a menu item has none. The dialog
  // manager's Enter and Esc (1 and 2) when no button takes them come from
  // no window, and name no menu item.
  ui::Control* c = Find(id);
  if (c && c->Handle() == from && (from || c->Design().kind == Kind::MenuItem)) c->Notify(code, detail);
}

void TableWindow::Activated(bool activation) {
  if (focus_ && IsWindow(focus_) && IsWindowEnabled(focus_) && IsWindowVisible(focus_)) {
    SetFocus(focus_);
  } else if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
    SetFocus(first);
  } else {
    SetFocus(Handle());
  }
  if (activation) PostMessageW(Handle(), kRunActivate, 0, 0);
}

LRESULT TableWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  Handled([&] { result = Dispatch(msg, wp, lp); });
  return result;
}

void TableWindow::Handled(const std::function<void()>& event) {
  ++handling_;
  try {
    event();
  } catch (...) {
    --handling_;
    throw;
  }
  --handling_;
  // Whatever the event changed is on screen when it ends. An event sent from
  // within another (a control asking for its colours while it paints) leaves
  // the showing to the outer one, or to the queue's next turn.
  if (handling_ == 0 && mirror_.Waiting() && Handle()) mirror_.ShowWaiting(true);
}

LRESULT TableWindow::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kShowChanges:
      mirror_.ShowWaiting(false);
      return 0;
    case WM_COMMAND:
      Notify(LOWORD(wp), reinterpret_cast<HWND>(lp), HIWORD(wp), 0);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lp);
      Notify(static_cast<int>(header->idFrom), header->hwndFrom, static_cast<int>(header->code), lp);
      break;
    }
    case WM_TIMER:
      if (state_->Timers().Running(static_cast<int>(wp))) state_->Timer(static_cast<int>(wp));
      return 0;
    case WM_CLOSE:
      if (state_->Form_QueryUnload()) Close();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND f = GetFocus();
        if (f && IsChild(Handle(), f)) focus_ = f;
        return 0;
      }
      Activated(activations.BecameActive(this));
      return 0;
    case kRunActivate:
      state_->Form_Activate();
      return 0;
    case WM_SYSCOMMAND:
      if (state_->Window().frame == Frame::None) {
        const WPARAM command = wp & 0xFFF0;
        if (command == SC_MOVE || command == SC_SIZE || command == SC_MAXIMIZE) return 0;
      }
      break;
    case WM_SETCURSOR:
      if (busyCursor_) {
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32650)));  // IDC_APPSTARTING
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return ControlColours(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp), msg, wp, lp);
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, BrushFor(ColourRef(state_->Window().back, GetSysColor(COLOR_BTNFACE))));
      return 1;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (ui::Control* c = Find(static_cast<int>(item.CtlID))) c->Draw(item);
      return TRUE;
    }
    default:
      break;
  }
  return Window::OnMessage(msg, wp, lp);
}

void TableWindow::OnDestroyed() {
  state_->Controls().SetListener(nullptr);
  state_->Timers().SetListener(nullptr);
  state_->AttachFrame(nullptr);
  activations.Forget(this);
  retired_ = std::move(controls_);
  controls_.clear();
  mirror_.Clear();
  tooltip_ = nullptr;
  focus_ = nullptr;
}

}  // namespace tarvex::ui
