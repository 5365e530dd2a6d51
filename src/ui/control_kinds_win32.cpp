#include "ui/control_kinds_win32.h"

#include <commctrl.h>

#include "base/paint_objects_win32.h"
#include "base/wide_text_win32.h"
#include "ui/change_mirror_win32.h"

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

using SetUp = void (*)(HWND, const ControlSite&);

// A child window of one of the system's classes, as the table and the state describe it.
HWND MakeChild(ControlSite& s, HWND parent, HFONT font, const wchar_t* className, DWORD style, DWORD exStyle,
               SetUp setUp = nullptr) {
  const ControlState& st = s.state();
  const ControlSpec& c = s.design;
  style |= WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE;
  if (c.flags & kTabStop) style |= WS_TABSTOP;
  if (!st.Enabled(c.id)) style |= WS_DISABLED;
  const Box& b = st.Bounds(c.id);
  HWND hwnd = CreateWindowExW(exStyle, className, WideFromUtf8(st.Text(c.id)).c_str(), style, b.left, b.top, b.width,
                              b.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                              GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) return nullptr;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (setUp) setUp(hwnd, s);
  if (*c.tooltip) s.host.AddTooltip(hwnd, c.tooltip);
  return hwnd;
}

void HoldsControls(HWND hwnd, const ControlSite& s) {
  SetWindowSubclass(hwnd, &ForwardToWindow, 1, reinterpret_cast<DWORD_PTR>(s.host.WindowHandle()));
}

void AddColumns(HWND hwnd, const ControlSite& s) {
  SendMessageW(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  int i = 0;
  for (const Column& col : s.design.columns) {
    std::wstring header = WideFromUtf8(col.header);
    LVCOLUMNW lc = {};
    lc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    lc.fmt = col.rightAlign ? LVCFMT_RIGHT : LVCFMT_LEFT;
    lc.cx = col.width;
    lc.pszText = &header[0];
    lc.iSubItem = i;
    SendMessageW(hwnd, LVM_INSERTCOLUMNW, i++, reinterpret_cast<LPARAM>(&lc));
  }
}

HWND MakeButton(ControlSite& s, HWND parent, HFONT font) {
  const ControlState& st = s.state();
  const ControlSpec& c = s.design;
  auto button = std::make_unique<XPButton>();
  const Box& b = st.Bounds(c.id);
  if (!button->Create(parent, c.id, {b.left, b.top, b.right(), b.bottom()}, st.Text(c.id), font)) return nullptr;
  if (*c.tooltip) button->SetToolTipText(c.tooltip);
  // What the row leaves out takes the button's own defaults: the window's
  // text colour for ForeColor, and ForeColor for ForeHover.
  const Colour windowText = s.host.State().Window().fore;
  button->ReadProperties(widgets::StoredProperties(st.Text(c.id), c.font, c.fore, c.hover), c.name,
                         windowText != kDefaultColour ? windowText : kButtonTextColour);
  widgets::VEVXpButton& control = button->Control();
  control.SetForeColor(ColourRef(control.ForeColor(), GetSysColor(COLOR_BTNTEXT)));
  control.SetForeHover(ColourRef(control.ForeHover(), GetSysColor(COLOR_BTNTEXT)));
  control.SetEnabled(st.Enabled(c.id));
  // The button raises its click from its own window: an event of this window all the same.
  control.Events().Click = [&host = s.host, id = c.id] { host.Handled([&] { host.State().Click(id); }); };
  HWND hwnd = button->Handle();
  s.host.Keep(c.id, std::move(button));
  return hwnd;
}

void ShowText(const ControlSite& s) { SetWindowTextUtf8(s.hwnd, s.state().Text(s.id())); }
void ShowEnabled(const ControlSite& s) { EnableWindow(s.hwnd, s.state().Enabled(s.id())); }
void ShowChecked(const ControlSite& s) {
  SendMessageW(s.hwnd, BM_SETCHECK, s.state().Checked(s.id()) ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Click(const ControlSite& s) { s.host.State().Click(s.id()); }

// What the list's control must be sent to show `list` as it is now.
template <class List>
ListEdit CatchUp(const ControlSite& s, const List& list) {
  return s.host.Shown(s.id()).CatchUp(s.state().TakeUnchangedPrefix(s.id()), list.size());
}

constexpr unsigned kTextLater = ChangeBit(Change::Text);

constexpr ControlKind kKinds[] = {
    {.kind = Kind::Label,
     .make = [](ControlSite& s, HWND p, HFONT f) { return MakeChild(s, p, f, L"STATIC", StaticTextStyle(s.design), 0); },
     .text = ShowText, .enabled = ShowEnabled, .shownLater = kTextLater, .onBackground = true},
    {.kind = Kind::Link,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, L"STATIC", StaticTextStyle(s.design) | SS_NOTIFY, 0);
     },
     .text = ShowText, .enabled = ShowEnabled,
     .notify = [](const ControlSite& s, int code) { if (code == STN_CLICKED) Click(s); },
     .onBackground = true},
    {.kind = Kind::Button, .make = MakeButton,
     .text = [](const ControlSite& s) {
       XPButton* b = s.host.Button(s.id());
       if (b && b->Control().Caption() != s.state().Text(s.id())) b->SetCaption(s.state().Text(s.id()));
     },
     .enabled = [](const ControlSite& s) { if (XPButton* b = s.host.Button(s.id())) b->Control().SetEnabled(s.state().Enabled(s.id())); },
     .notify = [](const ControlSite& s, int code) {
       if (code == BN_SETFOCUS) {
         s.host.State().GotFocus(s.id());
       } else if (XPButton* b = s.host.Button(s.id())) {
         b->OnCommand(static_cast<WORD>(code));
       }
     }},
    {.kind = Kind::TextBox,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       const ControlSpec& c = s.design;
       DWORD style = (c.flags & kMultiLine) ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
       if (c.flags & kReadOnly) style |= ES_READONLY;
       if (c.flags & kRightAlign) style |= ES_RIGHT;
       return MakeChild(s, p, f, L"EDIT", style, Edge(c));
     },
     .text = ShowText, .enabled = ShowEnabled,
     .notify = [](const ControlSite& s, int code) { if (code == EN_CHANGE) s.host.PullText(s.id()); }},
    {.kind = Kind::CheckBox,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, L"BUTTON", BS_AUTOCHECKBOX, 0, [](HWND h, const ControlSite& site) {
         if (site.state().Checked(site.id())) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
       });
     },
     .text = ShowText, .enabled = ShowEnabled, .checked = ShowChecked,
     .notify = [](const ControlSite& s, int code) {
       if (code != BN_CLICKED) return;
       s.state().SetChecked(s.id(), SendMessageW(s.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED);
       Click(s);
     },
     .onBackground = true},
    {.kind = Kind::Frame,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, HoldsControls);
     },
     .text = ShowText, .enabled = ShowEnabled, .onBackground = true},
    {.kind = Kind::ListBox,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, Edge(s.design));
     },
     .text = ShowText, .enabled = ShowEnabled,
     .items = [](const ControlSite& s) {
       const std::vector<std::string>& items = s.state().Items(s.id());
       ShowListBoxItems(s.hwnd, CatchUp(s, items), items);
     },
     .shownLater = ChangeBit(Change::Items)},
    {.kind = Kind::ListView,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, WC_LISTVIEWW, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDATA, Edge(s.design),
                        AddColumns);
     },
     .text = ShowText, .enabled = ShowEnabled,
     .items = [](const ControlSite& s) {
       const std::vector<Row>& rows = s.state().Rows(s.id());
       ShowListViewRows(s.hwnd, CatchUp(s, rows), rows, s.host.ShownRows(s.id()));
     },
     .shownLater = ChangeBit(Change::Items)},
    {.kind = Kind::ProgressBar,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, PROGRESS_CLASSW, 0, 0, [](HWND h, const ControlSite&) {
         SendMessageW(h, PBM_SETRANGE32, 0, 100);
       });
     },
     .text = ShowText, .enabled = ShowEnabled,
     .position = [](const ControlSite& s) { SendMessageW(s.hwnd, PBM_SETPOS, s.state().Position(s.id()), 0); },
     .shownLater = ChangeBit(Change::Position)},
    {.kind = Kind::StatusBar,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0);
     },
     .text = ShowText, .enabled = ShowEnabled, .shownLater = kTextLater},
    {.kind = Kind::Picture,
     .make = [](ControlSite& s, HWND p, HFONT f) {
       return MakeChild(s, p, f, L"STATIC", SS_OWNERDRAW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, HoldsControls);
     },
     .text = ShowText, .enabled = ShowEnabled,
     .draw = [](const ControlSite& s, const DRAWITEMSTRUCT& d) { s.host.PaintPicture(s.id(), d.hDC, d.rcItem); }},
    {.kind = Kind::Line,
     .make = [](ControlSite& s, HWND p, HFONT f) { return MakeChild(s, p, f, L"STATIC", SS_OWNERDRAW, 0); },
     .text = ShowText, .enabled = ShowEnabled,
     .draw = [](const ControlSite& s, const DRAWITEMSTRUCT& d) {
       FillRect(d.hDC, &d.rcItem, BrushFor(ColourRef(s.design.fore, GetSysColor(COLOR_WINDOWTEXT))));
     }},
    {.kind = Kind::Menu,
     .make = [](ControlSite& s, HWND, HFONT) -> HWND {
       s.host.Keep(s.id(), CreatePopupMenu());
       return nullptr;
     }},
    {.kind = Kind::MenuItem,
     .make = [](ControlSite& s, HWND, HFONT) -> HWND {
       if (HMENU menu = s.host.Menu(s.design.parent))
         AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(s.id()), WideFromUtf8(s.state().Text(s.id())).c_str());
       return nullptr;
     },
     .text = [](const ControlSite& s) {
       if (HMENU menu = s.host.Menu(s.design.parent))
         ModifyMenuW(menu, s.id(), MF_BYCOMMAND | MF_STRING, s.id(), WideFromUtf8(s.state().Text(s.id())).c_str());
     },
     .enabled = [](const ControlSite& s) {
       if (HMENU menu = s.host.Menu(s.design.parent))
         EnableMenuItem(menu, s.id(), MF_BYCOMMAND | (s.state().Enabled(s.id()) ? MF_ENABLED : MF_GRAYED));
     },
     .checked = [](const ControlSite& s) {
       if (HMENU menu = s.host.Menu(s.design.parent))
         CheckMenuItem(menu, s.id(), MF_BYCOMMAND | (s.state().Checked(s.id()) ? MF_CHECKED : MF_UNCHECKED));
     },
     // Chosen from a pop-up menu: no control window sends it, and the code is 0.
     .notify = [](const ControlSite& s, int code) { if (code == 0) Click(s); }},
};

constexpr bool InKindOrder() {
  for (std::size_t i = 0; i < std::size(kKinds); ++i)
    if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
  return std::size(kKinds) == static_cast<std::size_t>(Kind::MenuItem) + 1;
}
static_assert(InKindOrder(), "one row per kind, in the order of the kinds");

}  // namespace

const ControlKind& KindOf(Kind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

}  // namespace tarvex::ui
