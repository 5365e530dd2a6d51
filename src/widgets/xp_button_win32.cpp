#include "widgets/xp_button_win32.h"

#include <commctrl.h>

#include <cstdlib>

#include "base/paint_objects_win32.h"
#include "base/scoped_win32.h"
#include "base/wide_text_win32.h"
#include "widgets/back_buffer_win32.h"

namespace tarvex {

namespace {

// The font a window handed over, as the layout would store it.
widgets::FontSpec SpecOf(HFONT font) {
  LOGFONTW lf = {};
  if (!font || !GetObjectW(font, sizeof lf, &lf)) return {};
  return {ui::Utf8FromWide(lf.lfFaceName), MulDiv(std::abs(lf.lfHeight), 7200, ui::ScreenDpi()), lf.lfWeight >= FW_SEMIBOLD,
          lf.lfUnderline != 0};
}

// Shift, Ctrl and Alt as the events carry them.
int ShiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

int HeldButtons(WPARAM wp) {
  return (wp & MK_LBUTTON ? widgets::kLeftButton : 0) | (wp & MK_RBUTTON ? widgets::kRightButton : 0) |
         (wp & MK_MBUTTON ? widgets::kMiddleButton : 0);
}

widgets::MouseArgs Args(int button, LPARAM lp) {
  return {button, ShiftState(), static_cast<float>(static_cast<short>(LOWORD(lp))),
          static_cast<float>(static_cast<short>(HIWORD(lp)))};
}

}  // namespace

XPButton::XPButton() : control_(*this) {
  control_.Timers().SetListener([this](const ui::TimerSpec& t) {
    if (!Handle()) return;
    if (t.running)
      SetTimer(Handle(), static_cast<UINT_PTR>(t.id), t.intervalMs, nullptr);
    else
      KillTimer(Handle(), static_cast<UINT_PTR>(t.id));
  });
}

XPButton::~XPButton() {
  if (tip_) DestroyWindow(tip_);
  // While the button is still whole: its window's last messages (the focus leaving) are its own.
  DestroyHandle();
}

bool XPButton::Create(HWND parent, int id, const RECT& r, const std::string& caption, HFONT font) {
  font_ = font;
  givenFont_ = SpecOf(font);
  control_.InitProperties({caption, givenFont_, ui::kWindowFrameColour});
  control_.SetBackground(GetSysColor(COLOR_WINDOW));
  if (!CreateHandle({.className = kClassName,
                     .style = WS_CHILD | WS_TABSTOP,
                     .title = caption,
                     .outer = r,
                     .owner = parent,
                     .programIcon = false,
                     .classStyle = CS_DBLCLKS,
                     .childId = id}))
    return false;
  ShowWindow(Handle(), SW_SHOWNA);  // the first show paints the face
  return true;
}

void XPButton::SetCaption(const std::string& caption) {
  if (Handle())
    ui::SetWindowTextUtf8(Handle(), caption);  // the window's text and the caption stay one
  else
    control_.SetCaption(caption);
}

void XPButton::ReadProperties(const widgets::PropertyBag& stored, const std::string& name,
                              ui::Colour containerForeColor) {
  control_.ReadProperties(stored, {name, givenFont_, containerForeColor});
  // The window's text and the caption stay one.
  if (Handle() && ui::WindowTextUtf8(Handle()) != control_.Caption()) ui::SetWindowTextUtf8(Handle(), control_.Caption());
}

void XPButton::SetToolTipText(const std::string& text) {
  tooltip_ = text;
  tip_ = ui::SendTooltip(tip_, GetParent(Handle()), Handle(), text, tip_ ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW);
}

void XPButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && control_.Enabled()) control_.AccessKeyPressed();
}

COLORREF XPButton::BackBufferPixel(int x, int y) const {
  return buffer_ ? GetPixel(buffer_->Dc(), x, y) : CLR_INVALID;
}

void XPButton::OnDestroyed() { buffer_.reset(); }

LRESULT XPButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      control_.Resize(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_SHOWWINDOW:
      if (wp) control_.Show();
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      return 0;
    case WM_LBUTTONDOWN: Press(widgets::kLeftButton, lp); return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: Press(widgets::kRightButton, lp); return 0;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: Press(widgets::kMiddleButton, lp); return 0;
    case WM_LBUTTONDBLCLK:
      pressed_ = 0;  // the second click of a double click raises no Click
      if (control_.Enabled()) control_.DoubleClick();
      return 0;
    case WM_LBUTTONUP: Release(widgets::kLeftButton, wp, lp); return 0;
    case WM_RBUTTONUP: Release(widgets::kRightButton, wp, lp); return 0;
    case WM_MBUTTONUP: Release(widgets::kMiddleButton, wp, lp); return 0;
    case WM_MOUSEMOVE:
      control_.MouseMove(Args(HeldButtons(wp), lp));
      return 0;
    case WM_TIMER:
      if (wp == static_cast<WPARAM>(widgets::VEVXpButton::kHoverTimer)) control_.HoverTick();
      return 0;
    case WM_GETDLGCODE: {
      // Arrows come to the button; so does Enter, which the dialog manager
      // would otherwise take for the default button. Tab stays navigation.
      LRESULT code = DLGC_BUTTON | DLGC_WANTARROWS;
      auto* m = reinterpret_cast<const MSG*>(lp);
      if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN) code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      control_.KeyDown(static_cast<int>(wp), ShiftState());
      return 0;
    case WM_KEYUP:
      control_.KeyUp(static_cast<int>(wp), ShiftState());
      return 0;
    case WM_CHAR:
      control_.KeyPress(static_cast<int>(wp));
      return 0;
    case BM_CLICK:  // the dialog manager's access key, and UI automation's invoke
      if (control_.Enabled()) control_.AccessKeyPressed();
      return 0;
    case WM_SETFOCUS:
      control_.FocusArrived();
      Notify(BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      control_.FocusLeft();
      Notify(BN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      if (control_.Enabled() != (wp != 0)) control_.SetEnabled(wp != 0);
      return 0;
    case WM_SETTEXT: {
      LRESULT done = DefWindowProcW(Handle(), msg, wp, lp);
      control_.SetCaption(lp ? ui::Utf8FromWide(reinterpret_cast<const wchar_t*>(lp)) : std::string());
      return done;
    }
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wp);
      givenFont_ = SpecOf(font_);
      control_.SetFont(givenFont_);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    default:
      break;
  }
  return DefWindowProcW(Handle(), msg, wp, lp);
}

void XPButton::Notify(WORD code) {
  if (HWND parent = Handle() ? GetParent(Handle()) : nullptr)
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), code), reinterpret_cast<LPARAM>(Handle()));
}

void XPButton::Press(int button, LPARAM lp) {
  if (!control_.Enabled()) return;
  // A left press takes the focus, as a push button's does; others leave it.
  if (button == widgets::kLeftButton && GetFocus() != Handle()) SetFocus(Handle());
  SetCapture(Handle());
  pressed_ = button;
  control_.MouseDown(Args(button, lp));
}

void XPButton::Release(int button, WPARAM wp, LPARAM lp) {
  if (GetCapture() == Handle() && HeldButtons(wp) == 0) ReleaseCapture();
  bool completes = pressed_ == button;
  if (completes) pressed_ = 0;
  control_.MouseUp(Args(button, lp));
  POINT at = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  RECT client;
  GetClientRect(Handle(), &client);
  if (completes && PtInRect(&client, at)) control_.MouseClick();
}

void XPButton::Paint(HDC dc) const {
  if (!buffer_) return;
  BitBlt(dc, 0, 0, buffer_->Width(), buffer_->Height(), buffer_->Dc(), 0, 0, SRCCOPY);
}

HFONT XPButton::FontFor(const widgets::FontSpec& font) {
  if (font == givenFont_ || font.face.empty())
    return font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return ui::FontFor({font.face.c_str(), font.hundredthsOfPoint, font.bold, font.underline});
}

bool XPButton::IsCursorOver() const {
  POINT at;
  return Handle() && GetCursorPos(&at) && WindowFromPoint(at) == Handle();
}

void XPButton::ShowFace(const widgets::PixelSurface& face) {
  if (face.Width() <= 0 || face.Height() <= 0) return;
  if (!buffer_ || !buffer_->Fits(face.Width(), face.Height())) {
    buffer_ = std::make_unique<widgets::BackBuffer>(face.Width(), face.Height());
    // Without its bitmap the button paints nothing, rather than writing through a null pointer.
    if (!buffer_->Made()) {
      buffer_.reset();
      return;
    }
  }
  buffer_->Copy(face);
}

void XPButton::DrawCaption(const std::string& caption, ui::Colour colour, const widgets::FontSpec& font) {
  if (!buffer_) return;
  HDC dc = buffer_->Dc();
  ui::ScopedSelection selected(dc, FontFor(font));
  SetTextColor(dc, ui::ColourRef(colour, GetSysColor(COLOR_BTNTEXT)));
  SetBkMode(dc, TRANSPARENT);
  std::wstring text = ui::WideFromUtf8(caption);
  RECT measured = {0, 0, buffer_->Width(), buffer_->Height()};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
  widgets::CaptionRect place = widgets::PlaceCaption(buffer_->Width(), buffer_->Height(), measured.bottom - measured.top);
  RECT r = {place.left, place.top, place.right, place.bottom};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_CENTER);
}

void XPButton::ApplyRegion(const std::array<widgets::Point, 4>& removedCorners) {
  if (!Handle() || !buffer_) return;
  // The shape only changes with the size; setting the same one again would
  // only make the window manager move the window for nothing.
  if (shaped_.cx != buffer_->Width() || shaped_.cy != buffer_->Height()) {
    ui::ScopedRegion shape(CreateRectRgn(0, 0, buffer_->Width(), buffer_->Height()));
    for (const widgets::Point& p : removedCorners) {
      ui::ScopedRegion corner(CreateRectRgn(p.x, p.y, p.x + 1, p.y + 1));
      CombineRgn(shape.get(), shape.get(), corner.get(), RGN_DIFF);
    }
    if (SetWindowRgn(Handle(), shape.get(), TRUE)) {
      shape.release();  // the window owns it from now on
      shaped_ = {buffer_->Width(), buffer_->Height()};
    }
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void XPButton::Refresh() {
  if (!Handle()) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  UpdateWindow(Handle());
}

void XPButton::EnableInput(bool enabled) {
  if (Handle() && (IsWindowEnabled(Handle()) != FALSE) != enabled) EnableWindow(Handle(), enabled ? TRUE : FALSE);
}

void XPButton::MoveFocus(bool previous) {
  // What Tab and Shift+Tab do in the window the button stands in.
  HWND root = GetAncestor(Handle(), GA_ROOT);
  HWND next = root ? GetNextDlgTabItem(root, Handle(), previous ? TRUE : FALSE) : nullptr;
  if (next && next != Handle()) SetFocus(next);
}

void XPButton::CaptureMouse() {
  if (Handle()) SetCapture(Handle());
}

}  // namespace tarvex
