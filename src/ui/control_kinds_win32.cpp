#include "ui/control_kinds_win32.h"

#include <commctrl.h>

#include "base/paint_objects_win32.h"
#include "base/wide_text_win32.h"
#include "ui/list_views_win32.h"

namespace tarvex::ui {

namespace {

DWORD StaticTextStyle(const ControlSpec& c) {
  DWORD text = (c.flags & kMultiLine) ? SS_LEFT : SS_LEFTNOWORDWRAP;
  if (c.flags & kRightAlign) text = SS_RIGHT;
  if (c.flags & kNoPrefix) text |= SS_NOPREFIX;
  if (*c.tooltip) text |= SS_NOTIFY;  // a static without it lets the mouse through to its parent
  return text;
}

DWORD Edge(const ControlSpec& c) { return (c.flags & kNoBorder) ? 0 : WS_EX_CLIENTEDGE; }

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

}  // namespace

bool Control::MakeChild(const Placement& at, const wchar_t* className, DWORD style, DWORD exStyle) {
  const ControlState& st = State();
  const ControlSpec& c = design_;
  style |= WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
  if (c.flags & kTabStop) style |= WS_TABSTOP;
  if (!st.Enabled(c.id)) style |= WS_DISABLED;
  const Box& b = st.Bounds(c.id);
  hwnd_ = CreateWindowExW(exStyle, className, WideFromUtf8(st.Text(c.id)).c_str(), style, b.left, b.top, b.width,
                          b.height, at.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(at.font), FALSE);
  if (*c.tooltip && at.tooltips) *at.tooltips = SendTooltip(*at.tooltips, at.window, hwnd_, c.tooltip, TTM_ADDTOOLW);
  return true;
}

// A change of text, enabled or place is the same for every kind with a
// window of the system's classes.
bool Control::Show(Change change, bool) {
  if (!hwnd_) return true;
  switch (change) {
    case Change::Text: SetWindowTextUtf8(hwnd_, State().Text(Id())); break;
    case Change::Enabled: EnableWindow(hwnd_, State().Enabled(Id())); break;
    case Change::Bounds: {
      const Box& b = State().Bounds(Id());
      SetWindowPos(hwnd_, nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    }
    default: break;
  }
  return true;
}

bool LabelControl::Make(const Placement& at) {
  return MakeChild(at, L"STATIC", StaticTextStyle(design_) | (design_.kind == Kind::Link ? SS_NOTIFY : 0));
}

void LinkControl::Notify(int code, LPARAM) {
  if (code == STN_CLICKED) Click();
}

bool ButtonControl::Make(const Placement& at) {
  const ControlState& st = State();
  const ControlSpec& c = design_;
  auto button = std::make_unique<XPButton>();
  const Box& b = st.Bounds(c.id);
  if (!button->Create(at.parent, c.id, {b.left, b.top, b.right(), b.bottom()}, st.Text(c.id), at.font)) return false;
  if (*c.tooltip) button->SetToolTipText(c.tooltip);
  // What the table leaves out takes the button's own defaults: the window's
  // text colour for ForeColor, and ForeColor for ForeHover.
  const Colour windowText = host_.State().Window().fore;
  button->ReadProperties(widgets::StoredProperties(st.Text(c.id), c.font, c.fore, c.hover), c.name,
                         windowText != kDefaultColour ? windowText : kButtonTextColour);
  widgets::VEVXpButton& control = button->Control();
  control.SetForeColor(ColourRef(control.ForeColor(), GetSysColor(COLOR_BTNTEXT)));
  control.SetForeHover(ColourRef(control.ForeHover(), GetSysColor(COLOR_BTNTEXT)));
  control.SetEnabled(st.Enabled(c.id));
  // The button raises its click from its own window: an event of this window all the same.
  control.Events().Click = [this] { host_.Handled([this] { Click(); }); };
  hwnd_ = button->Handle();
  button_ = std::move(button);
  return true;
}

bool ButtonControl::Show(Change change, bool ended) {
  if (!button_) return true;
  const std::string& caption = State().Text(Id());
  if (change == Change::Text && button_->Control().Caption() != caption) button_->SetCaption(caption);
  if (change == Change::Enabled) button_->Control().SetEnabled(State().Enabled(Id()));
  if (change == Change::Bounds) Control::Show(change, ended);
  return true;
}

void ButtonControl::Notify(int code, LPARAM) {
  if (code == BN_SETFOCUS) {
    host_.State().GotFocus(Id());
  } else if (button_) {
    button_->OnCommand(static_cast<WORD>(code));
  }
}

bool TextBoxControl::Make(const Placement& at) {
  DWORD style = (design_.flags & kMultiLine) ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
  if (design_.flags & kReadOnly) style |= ES_READONLY;
  if (design_.flags & kRightAlign) style |= ES_RIGHT;
  return MakeChild(at, L"EDIT", style, Edge(design_));
}

bool TextBoxControl::Show(Change change, bool ended) {
  return pulling_ && change == Change::Text ? true : Control::Show(change, ended);
}

void TextBoxControl::Notify(int code, LPARAM) {
  if (code != EN_CHANGE) return;
  pulling_ = true;
  State().SetText(Id(), WindowTextUtf8(hwnd_));
  pulling_ = false;
}

bool CheckBoxControl::Make(const Placement& at) {
  if (!MakeChild(at, L"BUTTON", BS_AUTOCHECKBOX)) return false;
  if (State().Checked(Id())) SendMessageW(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
  return true;
}

bool CheckBoxControl::Show(Change change, bool ended) {
  if (change != Change::Checked) return Control::Show(change, ended);
  if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, State().Checked(Id()) ? BST_CHECKED : BST_UNCHECKED, 0);
  return true;
}

void CheckBoxControl::Notify(int code, LPARAM) {
  if (code != BN_CLICKED) return;
  State().SetChecked(Id(), SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED);
  Click();
}

bool ContainerControl::Make(const Placement& at) {
  const bool frame = design_.kind == Kind::Frame;
  if (!MakeChild(at, frame ? L"BUTTON" : L"STATIC", (frame ? BS_GROUPBOX : SS_OWNERDRAW) | WS_CLIPCHILDREN,
                 WS_EX_CONTROLPARENT))
    return false;
  SetWindowSubclass(hwnd_, &ForwardToWindow, 1, reinterpret_cast<DWORD_PTR>(at.window));
  return true;
}

void ContainerControl::Draw(const DRAWITEMSTRUCT& item) { host_.PaintPicture(Id(), item.hDC, item.rcItem); }

bool ListBoxControl::Make(const Placement& at) {
  return MakeChild(at, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, Edge(design_));
}

bool ListBoxControl::Show(Change change, bool ended) {
  if (change != Change::Items) return Control::Show(change, ended);
  if (!hwnd_) return true;
  const std::vector<std::string>& items = State().Items(Id());
  ShowListBoxItems(hwnd_, shown_.CatchUp(State().TakeUnchangedPrefix(Id()), items.size()), items);
  return true;
}

bool ListViewControl::Make(const Placement& at) {
  if (!MakeChild(at, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, Edge(design_))) return false;
  SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  int i = 0;
  for (const Column& col : design_.columns) {
    std::wstring header = WideFromUtf8(col.header);
    LVCOLUMNW lc = {};
    lc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    lc.fmt = col.rightAlign ? LVCFMT_RIGHT : LVCFMT_LEFT;
    lc.cx = col.width;
    lc.pszText = &header[0];
    lc.iSubItem = i;
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&lc));
  }
  return true;
}

bool ListViewControl::Show(Change change, bool ended) {
  if (change != Change::Items) return Control::Show(change, ended);
  if (!hwnd_) return true;
  const RowSource* rows = State().RowSourceOf(Id());
  const ListEdit edit = shown_.CatchUp(State().TakeUnchangedPrefix(Id()), rows ? rows->RowCount() : 0);
  return ShowListViewRows(hwnd_, edit, !ended);
}

void ListViewControl::Notify(int code, LPARAM detail) {
  if (code == static_cast<int>(LVN_GETDISPINFOW)) GiveRowText(State().RowSourceOf(Id()), *reinterpret_cast<NMLVDISPINFOW*>(detail));
}

bool ProgressBarControl::Make(const Placement& at) {
  if (!MakeChild(at, PROGRESS_CLASSW, 0)) return false;
  SendMessageW(hwnd_, PBM_SETRANGE32, 0, 100);
  return true;
}

bool ProgressBarControl::Show(Change change, bool ended) {
  if (change != Change::Position) return Control::Show(change, ended);
  if (hwnd_) SendMessageW(hwnd_, PBM_SETPOS, State().Position(Id()), 0);
  return true;
}

bool StatusBarControl::Make(const Placement& at) {
  return MakeChild(at, STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER);
}

bool LineControl::Make(const Placement& at) { return MakeChild(at, L"STATIC", SS_OWNERDRAW); }

void LineControl::Draw(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, BrushFor(ColourRef(design_.fore, GetSysColor(COLOR_WINDOWTEXT))));
}

bool MenuControl::Make(const Placement&) {
  menu_.reset(CreatePopupMenu());
  return menu_.get() != nullptr;
}

bool MenuItemControl::Make(const Placement& at) {
  menu_ = at.menu;
  return menu_ && AppendMenuW(menu_, MF_STRING, static_cast<UINT_PTR>(Id()), WideFromUtf8(State().Text(Id())).c_str());
}

bool MenuItemControl::Show(Change change, bool) {
  if (!menu_) return true;
  const ControlState& st = State();
  const UINT id = static_cast<UINT>(Id());
  switch (change) {
    case Change::Text: ModifyMenuW(menu_, id, MF_BYCOMMAND | MF_STRING, id, WideFromUtf8(st.Text(Id())).c_str()); break;
    case Change::Enabled: EnableMenuItem(menu_, id, MF_BYCOMMAND | (st.Enabled(Id()) ? MF_ENABLED : MF_GRAYED)); break;
    case Change::Checked: CheckMenuItem(menu_, id, MF_BYCOMMAND | (st.Checked(Id()) ? MF_CHECKED : MF_UNCHECKED)); break;
    default: break;
  }
  return true;
}

// Chosen from a pop-up menu: no control window sends it, and the code is 0.
void MenuItemControl::Notify(int code, LPARAM) {
  if (code == 0) Click();
}

std::unique_ptr<Control> MakeControl(ControlHost& host, const ControlSpec& design) {
  switch (design.kind) {
    case Kind::Label: return std::make_unique<LabelControl>(host, design);
    case Kind::Link: return std::make_unique<LinkControl>(host, design);
    case Kind::Button: return std::make_unique<ButtonControl>(host, design);
    case Kind::TextBox: return std::make_unique<TextBoxControl>(host, design);
    case Kind::CheckBox: return std::make_unique<CheckBoxControl>(host, design);
    case Kind::Frame:
    case Kind::Picture: return std::make_unique<ContainerControl>(host, design);
    case Kind::ListBox: return std::make_unique<ListBoxControl>(host, design);
    case Kind::ListView: return std::make_unique<ListViewControl>(host, design);
    case Kind::ProgressBar: return std::make_unique<ProgressBarControl>(host, design);
    case Kind::StatusBar: return std::make_unique<StatusBarControl>(host, design);
    case Kind::Line: return std::make_unique<LineControl>(host, design);
    case Kind::Menu: return std::make_unique<MenuControl>(host, design);
    case Kind::MenuItem: return std::make_unique<MenuItemControl>(host, design);
  }
  return nullptr;
}

}  // namespace tarvex::ui
