// Shows the XP button in each of its looks, for a screenshot checked by eye:
// without arguments Normal, Hover (cursor over it), Focus and Disabled; with
// "pressed" the left button held on Pressed (a press takes the focus, so the
// two cannot be seen in one picture).
#include <windows.h>

#include <array>
#include <cstring>

#include "widgets/xp_button_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const bool pressedRow = std::strstr(commandLine, "pressed") != nullptr;
  WNDCLASSEXA wc = {sizeof wc};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "XpButtonGallery";
  RegisterClassExA(&wc);
  HWND host = CreateWindowExA(WS_EX_CONTROLPARENT, wc.lpszClassName, "XP button looks", WS_POPUP | WS_VISIBLE, 0, 0,
                              480, 45, nullptr, nullptr, instance, nullptr);
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  HFONT bold = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");

  const char* captions[] = {"&Normal", "&Hover", "&Focus", "&Pressed", "&Disabled"};
  std::array<tarvex::XPButton, 5> buttons;
  for (int i = 0; i < 5; ++i) {
    RECT r = {10 + 95 * i, 10, 10 + 95 * i + 75, 35};
    buttons[i].Create(host, 100 + i, r, captions[i], i == 3 ? bold : font);
    buttons[i].Control().SetForeHover(RGB(192, 0, 0));
  }
  buttons[4].Control().SetEnabled(false);
  UpdateWindow(host);

  RECT at;
  if (pressedRow) {
    // The cursor off every button, so that no hover look starts.
    SetCursorPos(240, 42);
    SendMessageA(buttons[3].Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 12));
  } else {
    SetFocus(buttons[2].Handle());
    GetWindowRect(buttons[1].Handle(), &at);
    SetCursorPos(at.left + 60, at.top + 20);
    SendMessageA(buttons[1].Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(60, 20));
  }

  // Stays up for the screenshot, then ends by itself.
  SetTimer(nullptr, 0, 30000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0 && !(msg.message == WM_TIMER && !msg.hwnd)) {
    if (IsDialogMessageA(host, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DestroyWindow(host);
  DeleteObject(font);
  DeleteObject(bold);
  return 0;
}
