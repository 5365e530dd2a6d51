// The colours of the window's controls and what it draws itself.
#include "base/paint_objects_win32.h"
#include "ui/table_window_win32.h"

namespace tarvex::ui {

LRESULT TableWindow::ControlColours(HDC dc, HWND control, UINT msg, WPARAM wp, LPARAM lp) {
  const WindowSpec& w = state_->Window();
  const ui::Control* shown = Find(GetDlgCtrlID(control));
  if (!shown) return DefWindowProcW(Handle(), msg, wp, lp);
  const ControlSpec* c = &shown->Design();
  const bool onBackground = shown->OnBackground();
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

void TableWindow::PaintPicture(int id, HDC dc, const RECT& r) {
  const ControlSpec& c = state_->Controls().Design(id);
  const Colour back = c.back != kDefaultColour ? c.back : state_->Window().back;
  FillRect(dc, &r, BrushFor(ColourRef(back, GetSysColor(COLOR_BTNFACE))));
}

}  // namespace tarvex::ui
