#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/app_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);  // the shell's folder browser needs it

  int code = 1;
  {
    tarvex::App app;
    if (app.Start(showCommand)) code = app.Run();
  }
  OleUninitialize();
  return code;
}
