// The program with two services of a test's choosing: the folder browser
// answers the first argument, the program folder is the second. Each file
// of a scan takes a little longer, so that a test can act during the scan.
// A third argument "quiet scan" (for the screenshots) answers every message
// box with OK without showing it and starts a scan as soon as the window is up;
// "temp", "tool", "signature", "about", "karantina", "update" or "download" in it
// opens that window instead (the file analysis window analyses the first
// argument and ticks its mark). "still" holds every picture still for a
// comparison pixel by pixel: the windows it opens keep their timers' first
// state (the credits, the reminder's slide, the countdown) and no caret blinks.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

#include <string>
#include <utility>

#include "app/app_win32.h"
#include "base/wide_text_win32.h"
#include "system/program_folder.h"
#include "windows/frm_temp_db.h"

void CALLBACK PointerAway(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  SetCursorPos(0, 0);
}

void CALLBACK CaretAway(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HideCaret(nullptr);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  const std::string folder = tarvex::ui::Utf8FromWide(argv[1]);
  tarvex::sys::OverrideProgramFolder(tarvex::ui::Utf8FromWide(argv[2]));
  const std::string options = argc > 3 ? tarvex::ui::Utf8FromWide(argv[3]) : "";
  LocalFree(argv);

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);
  tarvex::App app([&](tarvex::DesktopServices& d) {
    d.browseFolder = [folder] { return std::optional<std::string>(folder); };
    if (options.find("quiet") != std::string::npos) {
      d.messageBox = [](const std::string&, unsigned, const std::string&) { return 1; };
      d.shellOpen = [](HWND, const std::string&) {};
    }
    d.getOpenFileName = [folder](HWND, tarvex::OpenFileRequest& r) {
      r.Filename = folder;
      return true;
    };
    d.yield = [real = d.yield] {
      Sleep(20);
      real();
    };
  });
  if (!app.Start(showCommand)) return 1;
  if (options.find("scan") != std::string::npos) {
    HWND scan = app.Main().Control(tarvex::Antivirus::cmdScan);
    PostMessageW(app.Main().Handle(), WM_COMMAND, MAKEWPARAM(tarvex::Antivirus::cmdScan, BN_CLICKED),
                 reinterpret_cast<LPARAM>(scan));
  }
  const std::pair<const char*, tarvex::AppWindow> windows[] = {
      {"temp", tarvex::AppWindow::frmTempDb},
      {"tool", tarvex::AppWindow::frmExtTool},
      {"signature", tarvex::AppWindow::frmSignature},
      {"about", tarvex::AppWindow::frmAbout},
      {"karantina", tarvex::AppWindow::frmKarantina},
      {"update", tarvex::AppWindow::frmUpdate},
      {"download", tarvex::AppWindow::frmCheckUpdate},
  };
  const bool still = options.find("still") != std::string::npos;
  for (const auto& [word, kind] : windows) {
    if (options.find(word) == std::string::npos) continue;
    app.Show(kind);
    tarvex::ui::TableWindow& w = *app.Find(kind);
    // Before the queue's first turn: no tick has come yet.
    for (UINT_PTR timer = 1; still && timer <= 16; ++timer) KillTimer(w.Handle(), timer);
    if (kind != tarvex::AppWindow::frmTempDb) continue;
    for (int id : {tarvex::frmTempDb::cmdBrowse, tarvex::frmTempDb::Check1}) SendMessageW(w.Control(id), BM_CLICK, 0, 0);
  }
  if (options.find("quiet") != std::string::npos) {
    // The pointer away from the windows, once they are up: no tooltip in the picture.
    SetTimer(nullptr, 0, 300, &PointerAway);
  }
  if (still) SetTimer(nullptr, 0, 2000, &CaretAway);  // once the focus has settled
  return app.Run();
}
