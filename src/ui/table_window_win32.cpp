#include "ui/table_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "base/scoped_win32.h"
#include "base/wide_text_win32.h"
#include "ui/activation_rule.h"
#include "ui/message_loop_win32.h"

namespace tarvex::ui {

namespace {

constexpr UINT kRunActivate = WM_APP + 1;  // Form_Activate, once the activation itself is over
constexpr UINT kShowChanges = WM_APP + 2;  // the changes an event made, once it yields to the queue

// What an event may change many times over while it runs (the status line
// and counters of a scan): shown when the event ends or yields, not at every
// change, so a long command repaints at most once per turn of the queue.
bool ShownLater(Kind kind, Change change) {
  switch (change) {
    case Change::Text: return kind == Kind::Label || kind == Kind::StatusBar;
    case Change::Position: return kind == Kind::ProgressBar;
    case Change::Items: return kind == Kind::ListView || kind == Kind::ListBox;
    default: return false;
  }
}

ActivationRule& Activations() {
  static ActivationRule rule;
  return rule;
}

bool busyCursor = false;

COLORREF ColourRef(Colour c, COLORREF fallback) {
  if (c == kDefaultColour) return fallback;
  if (IsSystemColour(c)) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c);
}

// Brushes and fonts live for the run: windows come and go, their colours and
// fonts stay the same.
HBRUSH BrushFor(COLORREF colour) {
  static std::map<COLORREF, ScopedBrush> brushes;
  ScopedBrush& b = brushes[colour];
  if (!b) b.reset(CreateSolidBrush(colour));
  return b.get();
}

bool SameFont(const Font& a, const Font& b) {
  return std::strcmp(a.face, b.face) == 0 && a.hundredthsOfPoint == b.hundredthsOfPoint && a.bold == b.bold &&
         a.underline == b.underline;
}

HFONT FontFor(const Font& font) {
  if (!font.face) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  static std::vector<std::pair<Font, ScopedFont>> fonts;
  for (const auto& [f, h] : fonts)
    if (SameFont(f, font)) return h.get();
  ScopedWindowDc screen(nullptr);
  // The designer's sizes are points (8.25 pt is the "8 pt" of a 96-dpi screen).
  const int height = -MulDiv(font.hundredthsOfPoint, GetDeviceCaps(screen.get(), LOGPIXELSY), 7200);
  HFONT h = CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, WideFromUtf8(font.face).c_str());
  fonts.emplace_back(font, ScopedFont(h));
  return h;
}

struct FrameStyle {
  DWORD style;
  DWORD exStyle;
};

FrameStyle StyleOf(const WindowSpec& w) {
  FrameStyle f = {WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, WS_EX_CONTROLPARENT};
  switch (w.frame) {
    case Frame::None: break;
    case Frame::FixedTool: f.style |= WS_CAPTION; f.exStyle |= WS_EX_TOOLWINDOW; break;
    case Frame::SizableTool: f.style |= WS_CAPTION | WS_THICKFRAME; f.exStyle |= WS_EX_TOOLWINDOW; break;
    case Frame::FixedDialog: f.style |= WS_CAPTION; f.exStyle |= WS_EX_DLGMODALFRAME; break;
    case Frame::FixedSingle: f.style |= WS_CAPTION; break;
  }
  // The platform places only overlapped windows; a pop-up asking for its
  // place would land in the screen's corner.
  if (!w.centred && w.frame != Frame::None) f.style &= ~WS_POPUP;
  if (w.minimiseBox) f.style |= WS_MINIMIZEBOX;
  if (w.taskbarButton) f.exStyle |= WS_EX_APPWINDOW;
  return f;
}

RECT OuterRect(const WindowSpec& w, const FrameStyle& f) {
  RECT r = {0, 0, w.clientWidth, w.clientHeight};
  AdjustWindowRectEx(&r, f.style, FALSE, f.exStyle);
  OffsetRect(&r, -r.left, -r.top);
  if (!w.centred) {
    r.left = CW_USEDEFAULT;
    return r;
  }
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  OffsetRect(&r, work.left + (work.right - work.left - r.right) / 2, work.top + (work.bottom - work.top - r.bottom) / 2);
  return r;
}

struct ChildClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ChildClass ClassOf(const ControlSpec& c) {
  const bool border = (c.flags & kNoBorder) == 0;
  const DWORD edge = border ? WS_EX_CLIENTEDGE : 0;
  DWORD text = (c.flags & kMultiLine) ? SS_LEFT : SS_LEFTNOWORDWRAP;
  if (c.flags & kRightAlign) text = SS_RIGHT;
  if (c.flags & kNoPrefix) text |= SS_NOPREFIX;
  if (*c.tooltip) text |= SS_NOTIFY;  // a static without it lets the mouse through to its parent
  switch (c.kind) {
    case Kind::Label: return {L"STATIC", text, 0};
    case Kind::Link: return {L"STATIC", text | SS_NOTIFY, 0};
    case Kind::TextBox: {
      DWORD s = (c.flags & kMultiLine) ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
      if (c.flags & kReadOnly) s |= ES_READONLY;
      if (c.flags & kRightAlign) s |= ES_RIGHT;
      return {L"EDIT", s, edge};
    }
    case Kind::CheckBox: return {L"BUTTON", BS_AUTOCHECKBOX, 0};
    case Kind::Frame: return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::ListBox: return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, edge};
    case Kind::ListView: return {WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS, edge};
    case Kind::ProgressBar: return {PROGRESS_CLASSW, 0, 0};
    case Kind::StatusBar: return {STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0};
    case Kind::Picture: return {L"STATIC", SS_OWNERDRAW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::Line: return {L"STATIC", SS_OWNERDRAW, 0};
    case Kind::Button:
    case Kind::Menu:
    case Kind::MenuItem: break;
  }
  return {L"STATIC", 0, 0};
}

bool IsContainer(Kind k) { return k == Kind::Frame || k == Kind::Picture; }
// Kinds drawn on their container's background, in the window's text colour.
bool OnBackground(Kind k) { return k == Kind::Label || k == Kind::Link || k == Kind::CheckBox || k == Kind::Frame; }

// A Frame or Picture holds controls of its own; their notifications reach
// the window that owns the table.
LRESULT CALLBACK ForwardToWindow(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR window) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageW(reinterpret_cast<HWND>(window), msg, wp, lp);
    case WM_ERASEBKGND: {
      // A Frame paints only its caption and edge, and the window clips its
      // children: fill it as the window colours it, or it stays unpainted.
      if ((GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) break;
      LRESULT brush = SendMessageW(reinterpret_cast<HWND>(window), WM_CTLCOLORSTATIC, wp, reinterpret_cast<LPARAM>(hwnd));
      if (!brush) break;
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, reinterpret_cast<HBRUSH>(brush));
      return 1;
    }
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

// Strings of a row or list as the wide calls take them.
std::wstring Wide(const std::string& s) { return WideFromUtf8(s); }

template <class T>
std::size_t CommonPrefix(const std::vector<T>& a, const std::vector<T>& b) {
  std::size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}

}  // namespace

TableWindow::TableWindow(std::unique_ptr<WindowState> state) : state_(std::move(state)) {}

TableWindow::~TableWindow() {
  // The program ends or the owner goes: no unload handler runs.
  if (Handle()) DestroyHandle();
}

int TableWindow::IndexOf(int id) const {
  const ControlTable table = state_->Controls().Table();
  const ControlSpec* c = table.Find(id);
  return c ? static_cast<int>(c - table.begin()) : -1;
}

HWND TableWindow::Control(int id) const {
  const int i = IndexOf(id);
  return i >= 0 && static_cast<std::size_t>(i) < children_.size() ? children_[i] : nullptr;
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
  if (!CreateHandle({w.className, f.style, f.exStyle, w.title, OuterRect(w, f), owner, w.programIcon})) return false;
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
  children_.assign(table.count, nullptr);
  for (const ControlSpec& c : table) {
    if (c.kind == Kind::Menu || c.kind == Kind::MenuItem) {
      CreateMenuEntry(c);
      continue;
    }
    children_[&c - table.begin()] = CreateChild(c);
  }
}

HWND TableWindow::CreateChild(const ControlSpec& c) {
  const ControlState& s = state_->Controls();
  HWND parent = c.parent ? Control(c.parent) : Handle();
  if (!parent) return nullptr;
  HFONT font = FontFor(c.font.face ? c.font : state_->Window().font);
  const Box& b = s.Bounds(c.id);

  if (c.kind == Kind::Button) {
    auto button = std::make_unique<XPButton>();
    RECT r = {b.left, b.top, b.right(), b.bottom()};
    if (!button->Create(parent, c.id, r, s.Text(c.id), font)) return nullptr;
    if (*c.tooltip) button->SetToolTipText(c.tooltip);
    button->SetForeColor(ColourRef(c.fore, GetSysColor(COLOR_BTNTEXT)));
    button->SetForeHover(ColourRef(c.hover, GetSysColor(COLOR_BTNTEXT)));
    button->SetEnabled(s.Enabled(c.id));
    // The button raises its click from its own window: an event of this window all the same.
    button->Click = [this, id = c.id] { Handled([&] { state_->Click(id); }); };
    HWND hwnd = button->Handle();
    if (!s.Visible(c.id)) ShowWindow(hwnd, SW_HIDE);
    buttons_[c.id] = std::move(button);
    return hwnd;
  }

  const ChildClass k = ClassOf(c);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | k.style;
  if (s.Visible(c.id)) style |= WS_VISIBLE;
  if (c.flags & kTabStop) style |= WS_TABSTOP;
  if (!s.Enabled(c.id)) style |= WS_DISABLED;
  HWND hwnd = CreateWindowExW(k.exStyle, k.name, Wide(s.Text(c.id)).c_str(), style, b.left, b.top, b.width, b.height,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), GetModuleHandleW(nullptr),
                              nullptr);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (IsContainer(c.kind)) SetWindowSubclass(hwnd, &ForwardToWindow, 1, reinterpret_cast<DWORD_PTR>(Handle()));
  if (c.kind == Kind::ProgressBar) SendMessageW(hwnd, PBM_SETRANGE32, 0, 100);
  if (c.kind == Kind::CheckBox && s.Checked(c.id)) SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
  if (c.kind == Kind::ListView) {
    SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    int i = 0;
    for (const Column& col : c.columns) {
      std::wstring header = Wide(col.header);
      LVCOLUMNW lc = {};
      lc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
      lc.fmt = col.rightAlign ? LVCFMT_RIGHT : LVCFMT_LEFT;
      lc.cx = col.width;
      lc.pszText = &header[0];
      lc.iSubItem = i;
      SendMessageW(hwnd, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&lc));
    }
  }
  if (*c.tooltip) AddTooltip(hwnd, c.tooltip);
  return hwnd;
}

void TableWindow::CreateMenuEntry(const ControlSpec& c) {
  if (c.kind == Kind::Menu) {
    menus_[c.id].reset(CreatePopupMenu());
    return;
  }
  if (HMENU menu = Menu(c.parent)) {
    AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(c.id), Wide(state_->Controls().Text(c.id)).c_str());
  }
}

void TableWindow::AddTooltip(HWND control, const char* text) {
  if (!tooltip_) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
  }
  std::wstring tip = Wide(text);
  TTTOOLINFOW info = {};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = Handle();
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = &tip[0];
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void TableWindow::Listen() {
  state_->Controls().SetListener([this](int id, Change change) { Mirror(id, change); });
  state_->Timers().SetListener([this](const TimerSpec& t) { ApplyTimer(t); });
}

void TableWindow::Mirror(int id, Change change) {
  const ControlSpec& c = state_->Controls().Design(id);
  if (handling_ > 0 && ShownLater(c.kind, change)) {
    if (changes_.empty()) PostMessageW(Handle(), kShowChanges, 0, 0);
    changes_.insert({id, change});
    return;
  }
  MirrorNow(id, change);
}

void TableWindow::ShowChanges() {
  std::set<std::pair<int, Change>> changes;
  changes.swap(changes_);
  for (const auto& [id, change] : changes) MirrorNow(id, change);
}

void TableWindow::MirrorNow(int id, Change change) {
  const ControlState& s = state_->Controls();
  const ControlSpec& c = s.Design(id);
  if (c.kind == Kind::Menu) return;
  if (c.kind == Kind::MenuItem) {
    HMENU menu = Menu(c.parent);
    if (!menu) return;
    if (change == Change::Enabled) EnableMenuItem(menu, id, MF_BYCOMMAND | (s.Enabled(id) ? MF_ENABLED : MF_GRAYED));
    if (change == Change::Checked) CheckMenuItem(menu, id, MF_BYCOMMAND | (s.Checked(id) ? MF_CHECKED : MF_UNCHECKED));
    if (change == Change::Text) ModifyMenuW(menu, id, MF_BYCOMMAND | MF_STRING, id, Wide(s.Text(id)).c_str());
    return;
  }
  HWND hwnd = Control(id);
  if (!hwnd) return;
  XPButton* button = Button(id);
  switch (change) {
    case Change::Text:
      if (button) {
        if (button->Caption() != s.Text(id)) button->SetCaption(s.Text(id));
      } else if (!pulling_) {
        SetWindowTextUtf8(hwnd, s.Text(id));
      }
      break;
    case Change::Enabled:
      if (button) {
        button->SetEnabled(s.Enabled(id));
      } else {
        EnableWindow(hwnd, s.Enabled(id));
      }
      break;
    case Change::Checked:
      SendMessageW(hwnd, BM_SETCHECK, s.Checked(id) ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Change::Visible:
      ShowWindow(hwnd, s.Visible(id) ? SW_SHOWNA : SW_HIDE);
      break;
    case Change::Bounds: {
      const Box& b = s.Bounds(id);
      SetWindowPos(hwnd, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    case Change::Position:
      if (c.kind == Kind::ProgressBar) SendMessageW(hwnd, PBM_SETPOS, s.Position(id), 0);
      break;
    case Change::Items:
      SyncList(c);
      break;
  }
}

// Lists change mostly at their end (rows appended during a scan, removed
// from the last during a clean-up): only what differs from the shown list
// is sent to the control.
void TableWindow::SyncList(const ControlSpec& c) {
  HWND hwnd = Control(c.id);
  const ControlState& s = state_->Controls();
  if (c.kind == Kind::ListBox) {
    std::vector<std::string>& shown = shownItems_[c.id];
    const std::vector<std::string>& wanted = s.Items(c.id);
    const std::size_t keep = CommonPrefix(shown, wanted);
    for (std::size_t i = shown.size(); i > keep; --i) SendMessageW(hwnd, LB_DELETESTRING, i - 1, 0);
    for (std::size_t i = keep; i < wanted.size(); ++i)
      SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(wanted[i]).c_str()));
    shown = wanted;
    return;
  }
  if (c.kind != Kind::ListView) return;
  std::vector<Row>& shown = shownRows_[c.id];
  const std::vector<Row>& wanted = s.Rows(c.id);
  const std::size_t keep = CommonPrefix(shown, wanted);
  if (keep == 0) {
    SendMessageW(hwnd, LVM_DELETEALLITEMS, 0, 0);
  } else {
    for (std::size_t i = shown.size(); i > keep; --i) SendMessageW(hwnd, LVM_DELETEITEM, i - 1, 0);
  }
  for (std::size_t i = keep; i < wanted.size(); ++i) {
    const Row& row = wanted[i];
    std::wstring text = row.empty() ? std::wstring() : Wide(row[0]);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = &text[0];
    const LRESULT at = SendMessageW(hwnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t col = 1; col < row.size(); ++col) {
      std::wstring cell = Wide(row[col]);
      LVITEMW sub = {};
      sub.iSubItem = static_cast<int>(col);
      sub.pszText = &cell[0];
      SendMessageW(hwnd, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&sub));
    }
  }
  shown = wanted;
}

void TableWindow::ApplyTimer(const TimerSpec& t) {
  if (!Handle()) return;
  if (t.running && t.intervalMs > 0) {
    SetTimer(Handle(), static_cast<UINT_PTR>(t.id), t.intervalMs, nullptr);
  } else {
    KillTimer(Handle(), static_cast<UINT_PTR>(t.id));
  }
}

// What the user typed goes into the state, without being written back.
void TableWindow::PullText(int id) {
  pulling_ = true;
  state_->Controls().SetText(id, WindowTextUtf8(Control(id)));
  pulling_ = false;
}

void TableWindow::Command(int id, int code, HWND from) {
  if (!from) {
    // Menu items; 1 and 2 are the dialog manager's Enter and Esc without a button.
    const ControlSpec* c = state_->Controls().Table().Find(id);
    if (code == 0 && c && c->kind == Kind::MenuItem) state_->Click(id);
    return;
  }
  const ControlSpec* c = state_->Controls().Table().Find(id);
  if (!c || Control(id) != from) return;
  switch (c->kind) {
    case Kind::Button:
      if (code == BN_SETFOCUS) {
        state_->GotFocus(id);
      } else if (XPButton* b = Button(id)) {
        b->OnCommand(static_cast<WORD>(code));
      }
      break;
    case Kind::CheckBox:
      if (code == BN_CLICKED) {
        state_->Controls().SetChecked(id, SendMessageW(from, BM_GETCHECK, 0, 0) == BST_CHECKED);
        state_->Click(id);
      }
      break;
    case Kind::Link:
      if (code == STN_CLICKED) state_->Click(id);
      break;
    case Kind::TextBox:
      if (code == EN_CHANGE) PullText(id);
      break;
    default:
      break;
  }
}

LRESULT TableWindow::ControlColours(HDC dc, HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  const WindowSpec& w = state_->Window();
  const ControlSpec* c = state_->Controls().Table().Find(GetDlgCtrlID(control));
  if (!c) return DefWindowProcW(Handle(), msg, wp, lp);
  const bool onBackground = OnBackground(c->kind);
  if (!onBackground && c->back == kDefaultColour && c->fore == kDefaultColour)
    return DefWindowProcW(Handle(), msg, wp, lp);
  // What lies behind: the containing Frame or Picture, or the window.
  const ControlSpec* container = c->parent ? state_->Controls().Table().Find(c->parent) : nullptr;
  const Colour behind = container && container->back != kDefaultColour ? container->back : w.back;
  const COLORREF back = ColourRef(c->back != kDefaultColour && !(c->flags & kTransparent) ? c->back : behind,
                                  GetSysColor(onBackground ? COLOR_BTNFACE : COLOR_WINDOW));
  const COLORREF fore = ColourRef(c->fore != kDefaultColour ? c->fore : (onBackground ? w.fore : kDefaultColour),
                                  GetSysColor(onBackground ? COLOR_BTNTEXT : COLOR_WINDOWTEXT));
  SetTextColor(dc, fore);
  SetBkColor(dc, back);
  if (c->flags & kTransparent) SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(BrushFor(back));
}

void TableWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  const ControlSpec* c = state_->Controls().Table().Find(static_cast<int>(item.CtlID));
  if (!c) return;
  if (c->kind == Kind::Line) {
    FillRect(item.hDC, &item.rcItem, BrushFor(ColourRef(c->fore, GetSysColor(COLOR_WINDOWTEXT))));
  } else if (c->kind == Kind::Picture) {
    PaintPicture(c->id, item.hDC, item.rcItem);
  }
}

void TableWindow::PaintPicture(int id, HDC dc, const RECT& r) {
  const ControlSpec& c = state_->Controls().Design(id);
  const Colour back = c.back != kDefaultColour ? c.back : state_->Window().back;
  FillRect(dc, &r, BrushFor(ColourRef(back, GetSysColor(COLOR_BTNFACE))));
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
  if (handling_ == 0 && !changes_.empty() && Handle()) ShowChanges();
}

LRESULT TableWindow::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kShowChanges:
      ShowChanges();
      return 0;
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
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
      Activated(Activations().BecameActive(this));
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
      if (busyCursor) {
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

void TableWindow::Close() {
  if (!Handle() || closing_) return;
  closing_ = true;
  state_->Form_Unload();
  if (onUnload) onUnload();
  DestroyHandle();
  closing_ = false;
}

void TableWindow::OnDestroyed() {
  state_->Controls().SetListener(nullptr);
  state_->Timers().SetListener(nullptr);
  state_->AttachFrame(nullptr);
  Activations().Forget(this);
  children_.clear();
  for (auto& [id, button] : buttons_) retired_.push_back(std::move(button));
  buttons_.clear();
  menus_.clear();
  shownItems_.clear();
  shownRows_.clear();
  changes_.clear();
  tooltip_ = nullptr;
  focus_ = nullptr;
}

Box TableWindow::FrameBox() const {
  RECT r = {};
  GetWindowRect(Handle(), &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TableWindow::SetFrameBox(const Box& box) {
  SetWindowPos(Handle(), nullptr, box.left, box.top, box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TableWindow::SetBusyCursor(bool busy) {
  busyCursor = busy;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(busy ? 32650 : 32512)));  // IDC_APPSTARTING, IDC_ARROW
}

void TableWindow::DoEvents() { PumpPendingMessages(); }

void TableWindow::SetTitle(const std::string& title) { SetWindowTextUtf8(Handle(), title); }

void TableWindow::ShowPopupMenu(int menuId) {
  HMENU menu = Menu(menuId);
  if (!menu) return;
  POINT at = {};
  GetCursorPos(&at);
  TrackPopupMenu(menu, 0, at.x, at.y, 0, Handle(), nullptr);
}

}  // namespace tarvex::ui
