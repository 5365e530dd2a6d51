#include "ui/message_loop_win32.h"

#include "base/window_win32.h"
#include "ui/frame_pacer.h"

namespace tarvex::ui {

bool RouteNavigation(MSG& msg) {
  // Only keys navigate; asking which window is active costs a trip to the
  // system that a scan's every frame would pay for each of its messages.
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  // Message boxes and the shell's dialogs run loops of their own.
  HWND active = GetActiveWindow();
  return active && Window::FromHandle(active) && IsDialogMessageW(active, &msg);
}

void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop, once the command returns
      return;
    }
    if (RouteNavigation(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void PumpPendingMessagesPaced() {
  static FramePacer pacer([] { return static_cast<std::uint64_t>(GetTickCount64()); });
  if (!pacer.Due()) return;
  PumpPendingMessages();
  pacer.TurnEnded();
}

int RunMessageLoop() {
  MSG msg = {};
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) break;  // WM_QUIT
    if (got == -1) {
      // The call failed (a message too large to bring into this process,
      // sent by another program): no reason to end. A short rest keeps an
      // error that repeats from taking the processor.
      Sleep(10);
      continue;
    }
    if (RouteNavigation(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace tarvex::ui
