#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <optional>

#include "app/app_win32.h"
#include "app/instance_handover_win32.h"
#include "app/start_request.h"
#include "base/wide_text_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  const tarvex::StartRequest request =
      tarvex::ParseStartRequest(tarvex::SplitCommandLine(tarvex::ui::Utf8FromWide(GetCommandLineW())));
  std::optional<tarvex::RunningInstance> instance(std::in_place);
  if (!instance->First()) {
    // A start with nothing to do opens a window of its own, as it always has.
    if (!request.Empty() && instance->HandOver(request)) return 0;
    instance.reset();  // only the first start's window takes requests
  }

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);  // the shell's folder browser needs it

  int code = 1;
  {
    tarvex::App app;
    app.Accept(request);
    if (app.Start(showCommand)) {
      if (instance) instance->Publish(app.Main().Handle());
      code = app.Run();
    }
  }
  OleUninitialize();
  return code;
}
