#pragma once
// One check for every window of the program: each control of its table is a
// real child standing where the table (through the control state) says, with
// its text, font, tooltip and colours; each menu holds its items in order.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "ui/table_window_win32.h"

namespace tarvex::testing {

inline LOGFONTA FontOf(HWND control) {
  LOGFONTA lf = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

inline COLORREF Resolved(ui::Colour c) {
  return ui::IsSystemColour(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : static_cast<COLORREF>(c);
}

inline void ExpectWindowMatchesItsTable(ui::TableWindow& window) {
  ui::ControlState& state = window.State().Controls();
  const ui::WindowSpec& design = window.State().Window();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client = {};
  GetClientRect(window.Handle(), &client);
  EXPECT_EQ(client.right, design.clientWidth);
  EXPECT_EQ(client.bottom, design.clientHeight);

  std::map<int, int> menuPositions;
  for (const ui::ControlSpec& c : state.Table()) {
    SCOPED_TRACE(c.name);
    if (c.kind == ui::Kind::Menu) continue;
    if (c.kind == ui::Kind::MenuItem) {
      HMENU menu = window.Menu(c.parent);
      ASSERT_NE(menu, nullptr);
      char text[256] = {};
      EXPECT_GT(GetMenuStringA(menu, static_cast<UINT>(c.id), text, sizeof text, MF_BYCOMMAND), 0);
      EXPECT_EQ(text, state.Text(c.id));
      EXPECT_EQ(GetMenuItemID(menu, menuPositions[c.parent]++), static_cast<UINT>(c.id)) << "items in table order";
      continue;
    }
    HWND hwnd = window.Control(c.id);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(GetDlgCtrlID(hwnd), c.id);
    HWND parent = GetParent(hwnd);
    EXPECT_EQ(parent, c.parent ? window.Control(c.parent) : window.Handle());
    RECT r = {};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const ui::Box& b = state.Bounds(c.id);
    EXPECT_EQ((ui::Box{r.left, r.top, r.right - r.left, r.bottom - r.top}), b);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(IsWindowEnabled(hwnd) != FALSE, state.Enabled(c.id));
    const bool showsText = c.kind == ui::Kind::Label || c.kind == ui::Kind::Link || c.kind == ui::Kind::Button ||
                           c.kind == ui::Kind::TextBox || c.kind == ui::Kind::CheckBox || c.kind == ui::Kind::Frame;
    if (showsText) {
      char text[1024] = {};
      GetWindowTextA(hwnd, text, sizeof text);
      EXPECT_EQ(text, state.Text(c.id));
      const ui::Font& f = c.font.face ? c.font : design.font;
      if (f.face) {
        LOGFONTA lf = FontOf(hwnd);
        EXPECT_STREQ(lf.lfFaceName, f.face);
        EXPECT_EQ(lf.lfHeight, -MulDiv(f.hundredthsOfPoint, dpi, 7200));
        EXPECT_EQ(lf.lfWeight >= FW_BOLD, f.bold);
        EXPECT_EQ(lf.lfUnderline != 0, f.underline);
      }
    }
    if (c.kind == ui::Kind::Button) {
      XPButton* b = window.Button(c.id);
      ASSERT_NE(b, nullptr);
      EXPECT_EQ(b->ToolTipText(), c.tooltip);
      // What the row leaves out follows the button's own rules: the window's
      // text colour, and ForeColor under the mouse.
      const ui::Colour windowText = design.fore != ui::kDefaultColour ? design.fore : ui::kButtonTextColour;
      EXPECT_EQ(b->Control().ForeColor(), Resolved(c.fore != ui::kDefaultColour ? c.fore : windowText));
      EXPECT_EQ(b->Control().ForeHover(),
                c.hover != ui::kDefaultColour ? Resolved(c.hover) : b->Control().ForeColor());
    }
    if (c.kind == ui::Kind::ListView) {
      EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & LVS_REPORT);
      int i = 0;
      for (const ui::Column& col : c.columns) {
        char text[256] = {};
        LVCOLUMNA lc = {};
        lc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        lc.pszText = text;
        lc.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(hwnd, LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&lc))) << i;
        EXPECT_STREQ(text, col.header);
        EXPECT_EQ(lc.cx, col.width);
        EXPECT_EQ(lc.fmt & LVCFMT_JUSTIFYMASK, col.rightAlign ? LVCFMT_RIGHT : LVCFMT_LEFT);
        ++i;
      }
    }
  }
}

}  // namespace tarvex::testing
