#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/antivirus_window_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);  // the shell's folder browser needs it

  tarvex::AntivirusWindow window;
  window.postQuitOnDestroy = true;
  if (!window.Create(showCommand)) return 1;

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window.Handle(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  OleUninitialize();
  return static_cast<int>(msg.wParam);
}
