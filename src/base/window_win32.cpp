#include "base/window_win32.h"

#include <commctrl.h>

#include <exception>
#include <set>

#include "base/app_title.h"
#include "base/wide_text_win32.h"

namespace tarvex::ui {

namespace {

constexpr int kProgramIcon = 101;  // resources/TarvexAV.rc

bool RegisterOnce(const std::wstring& className, bool programIcon, UINT classStyle, WNDPROC proc) {
  static std::set<std::wstring> registered;
  if (registered.count(className)) return true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  if (programIcon) {
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kProgramIcon));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kProgramIcon), IMAGE_ICON, 16, 16, 0));
  }
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = className.c_str();
  if (!RegisterClassExW(&wc)) return false;
  registered.insert(className);
  return true;
}

// Said once however many messages fail while the box is up (a failing paint
// fails again at every repaint the box causes).
void TellUnexpected(HWND hwnd, const char* what) {
  static bool telling = false;
  if (telling) return;
  telling = true;
  const std::string text = std::string("Terjadi kesalahan yang tidak terduga:\n") + what +
                           "\n\nProgram tetap berjalan; periksa kembali hasil terakhir.";
  MessageBoxW(hwnd, WideFromUtf8(text).c_str(), WideFromUtf8(kApplicationTitle).c_str(), MB_OK | MB_ICONERROR);
  telling = false;
}

}  // namespace

HWND SendTooltip(HWND tips, HWND owner, HWND control, const std::string& text, UINT message) {
  if (!tips)
    tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  if (!tips) return nullptr;
  std::wstring tip = WideFromUtf8(text);
  TTTOOLINFOW info = {};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  info.lpszText = tip.data();
  SendMessageW(tips, message, 0, reinterpret_cast<LPARAM>(&info));
  return tips;
}

Window::~Window() { DestroyHandle(); }

void Window::DestroyHandle() {
  if (hwnd_) DestroyWindow(hwnd_);
}

Window* Window::FromHandle(HWND hwnd) {
  // The class's procedure, not the window's: a tooltip may subclass a window.
  if (!hwnd || GetClassLongPtrW(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Window::Proc)) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Window::CreateHandle(const Creation& frame) {
  const std::wstring className = WideFromUtf8(frame.className);
  if (!RegisterOnce(className, frame.programIcon, frame.classStyle, &Window::Proc)) return false;
  const RECT& r = frame.outer;
  const bool defaultPlace = r.left == CW_USEDEFAULT;
  // At the platform's place the rectangle lies at the origin: right and bottom are the size.
  CreateWindowExW(frame.exStyle, className.c_str(), WideFromUtf8(frame.title).c_str(), frame.style,
                  r.left, defaultPlace ? CW_USEDEFAULT : r.top, defaultPlace ? r.right : r.right - r.left,
                  defaultPlace ? r.bottom : r.bottom - r.top, frame.owner,
                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(frame.childId)), GetModuleHandleW(nullptr), this);
  return hwnd_ != nullptr;
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  // No C++ exception may unwind through the system's frames between here and
  // the message loop: the one boundary of every window of the program.
  try {
    return Dispatch(hwnd, msg, wp, lp);
  } catch (const std::exception& e) {
    TellUnexpected(hwnd, e.what());
  } catch (...) {
    TellUnexpected(hwnd, "(tanpa keterangan)");
  }
  // What the system does with the message by itself: a paint is validated,
  // so it does not fail again at once.
  return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT Window::Dispatch(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    LRESULT result = self->OnMessage(msg, wp, lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
    return result;
  }
  return self->OnMessage(msg, wp, lp);
}

}  // namespace tarvex::ui
