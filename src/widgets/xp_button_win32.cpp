#include "widgets/xp_button_win32.h"

#include <commctrl.h>

namespace tarvex {

XPButton::~XPButton() {
  if (tip_) DestroyWindow(tip_);
}

bool XPButton::Create(HWND parent, int id, const RECT& r, const std::string& caption, HFONT font) {
  id_ = id;
  hwnd_ = CreateWindowExA(0, "BUTTON", caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                          r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return true;
}

std::string XPButton::Caption() const {
  char buf[256] = {};
  GetWindowTextA(hwnd_, buf, sizeof buf);
  return buf;
}

void XPButton::SetCaption(const std::string& caption) { SetWindowTextA(hwnd_, caption.c_str()); }

bool XPButton::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void XPButton::SetEnabled(bool enabled) { EnableWindow(hwnd_, enabled ? TRUE : FALSE); }

void XPButton::SetToolTipText(const std::string& text) {
  tooltip_ = text;
  if (!tip_) {
    tip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(hwnd_), nullptr,
                           GetModuleHandleA(nullptr), nullptr);
    if (!tip_) return;
    TTTOOLINFOA info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(hwnd_);
    info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
    info.lpszText = const_cast<char*>(tooltip_.c_str());
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    return;
  }
  TTTOOLINFOA info = {};
  info.cbSize = sizeof info;
  info.hwnd = GetParent(hwnd_);
  info.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  info.lpszText = const_cast<char*>(tooltip_.c_str());
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void XPButton::OnCommand(WORD code) {
  if (code == BN_CLICKED && Click) Click();
}

}  // namespace tarvex
