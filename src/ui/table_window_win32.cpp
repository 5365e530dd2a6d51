#include "ui/table_window_win32.h"

#include <commctrl.h>

#include "base/paint_objects_win32.h"
#include "base/wide_text_win32.h"
#include "ui/activation_rule.h"
#include "ui/frame_style_win32.h"

namespace tarvex::ui {

namespace {

constexpr UINT kRunActivate = WM_APP + 1;  // Form_Activate, once the activation itself is over

ActivationRule activations;

}  // namespace

TableWindow::TableWindow(std::unique_ptr<WindowState> state) : state_(std::move(state)), mirror_(*this) {}

TableWindow::~TableWindow() {
  // The program ends or the owner goes: no unload handler runs.
  if (Handle()) DestroyHandle();
}

HWND TableWindow::Control(int id) const {
  const ControlTable table = state_->Controls().Table();
  const ControlSpec* c = table.Find(id);
  const std::size_t i = c ? static_cast<std::size_t>(c - table.data()) : children_.size();
  return i < children_.size() ? children_[i] : nullptr;
}

XPButton* TableWindow::Button(int id) {
  auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second.get();
}

HMENU TableWindow::Menu(int id) const {
  auto it = menus_.find(id);
  return it == menus_.end() ? nullptr : it->second.get();
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
  CreateChildren();
  Listen();
  for (const TimerSpec& t : state_->Timers().All()) ApplyTimer(t);
  state_->AttachFrame(this);
  state_->Form_Load();
  return Handle() != nullptr;
}

void TableWindow::CreateChildren() {
  const ControlTable table = state_->Controls().Table();
  children_.assign(table.size(), nullptr);
  for (const ControlSpec& c : table) {
    HWND parent = c.parent && c.kind != Kind::MenuItem ? Control(c.parent) : Handle();
    if (!parent) continue;
    ControlSite site{*this, c};
    children_[&c - table.data()] = KindOf(c.kind).make(site, parent, FontFor(c.font.face ? c.font : state_->Window().font));
  }
}

void TableWindow::Keep(int id, std::unique_ptr<XPButton> button) { buttons_[id] = std::move(button); }

void TableWindow::Keep(int id, HMENU menu) { menus_[id].reset(menu); }

void TableWindow::AddTooltip(HWND control, const char* text) {
  tooltip_ = SendTooltip(tooltip_, Handle(), control, text, TTM_ADDTOOLW);
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

void TableWindow::PullText(int id) {
  mirror_.Pulling(true);
  state_->Controls().SetText(id, WindowTextUtf8(Control(id)));
  mirror_.Pulling(false);
}

void TableWindow::Command(int id, int code, HWND from) {
  const ControlSpec* c = state_->Controls().Table().Find(id);
  // Without a control window: menu items, or the dialog manager's Enter and
  // Esc (1 and 2) when no button takes them.
  if (!c || (from ? Control(id) != from : c->kind != Kind::MenuItem)) return;
  if (const auto notify = KindOf(c->kind).notify) notify({*this, *c, from}, code);
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
      Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY: {
      auto* request = reinterpret_cast<NMLVDISPINFOW*>(lp);
      if (request->hdr.code != LVN_GETDISPINFOW) break;
      GiveRowText(mirror_.ShownRows(static_cast<int>(request->hdr.idFrom)), *request);
      return 0;
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
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
      return TRUE;
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
  children_.clear();
  for (auto& [id, button] : buttons_) retired_.push_back(std::move(button));
  buttons_.clear();
  menus_.clear();
  mirror_.Clear();
  tooltip_ = nullptr;
  focus_ = nullptr;
}

}  // namespace tarvex::ui
