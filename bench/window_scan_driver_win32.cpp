// The window's scan as a user runs it, timed: the real program (every window,
// the real files, database and event queue), Scan clicked, the folder browser
// answered with the folder to scan. Then once more, with Stop clicked while
// the scan runs, to time how long the window takes to notice it; or, given a
// command, that button clicked on the scan's rows, timed until the list shows
// what it did.
//   window_scan_driver.exe FOLDER DATABASE
//   prints: files, stop noticed after ms, seconds
//   window_scan_driver.exe FOLDER DATABASE karantina|hapus
//   prints: files, rows, seconds, karantina|hapus seconds, rows left, peak MB
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "system/console.h"
#include "ui/message_loop_win32.h"

namespace {

using tarvex::Antivirus;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Settle(int ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(ms);) {
    tarvex::ui::PumpPendingMessages();
    Sleep(5);
  }
}

std::string Text(HWND control) {
  char buf[512] = {};
  GetWindowTextA(control, buf, sizeof buf);
  return buf;
}

// The process's peak working set, in megabytes.
double PeakMegabytes() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// Clicks `button` and waits until what the click changed is shown.
double TimedClick(HWND button) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  SendMessageA(button, BM_CLICK, 0, 0);
  tarvex::ui::PumpPendingMessages();
  QueryPerformanceCounter(&end);
  return Seconds(start, end);
}

std::size_t ShownRows(HWND list) { return static_cast<std::size_t>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

}  // namespace

int main() {
  const std::vector<std::string> args = tarvex::sys::CommandLineArguments(0, nullptr);
  if (args.size() != 2 && !(args.size() == 3 && (args[2] == "karantina" || args[2] == "hapus"))) {
    std::fprintf(stderr, "usage: window_scan_driver FOLDER DATABASE [karantina|hapus]\n");
    return 2;
  }
  const std::string folder = args[0];
  const std::string database = args[1];
  const std::string programFolder = database.substr(0, database.find_last_of('\\'));

  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  OleInitialize(nullptr);

  // Stop is clicked from the yield once this many milliseconds have passed; 0: never.
  DWORD stopAfterMs = 0;
  LARGE_INTEGER stopClicked = {};
  double yieldSeconds = 0;  // in the event queue's turns: what the window shows, drawn
  tarvex::App app([&](tarvex::DesktopServices& d) {
    d.browseFolder = [&] { return std::optional<std::string>(folder); };
    d.programFolder = [&] { return programFolder; };
    // The date warning would wait for a click that no one gives.
    d.messageBox = [](const std::string&, unsigned, const std::string&) { return 1; };
    d.yield = [&, real = d.yield] {
      LARGE_INTEGER from, to;
      QueryPerformanceCounter(&from);
      real();
      QueryPerformanceCounter(&to);
      yieldSeconds += Seconds(from, to);
      if (stopAfterMs && !stopClicked.QuadPart && GetTickCount() >= stopAfterMs) {
        QueryPerformanceCounter(&stopClicked);
        // As the user's click: it waits in the queue for the scan's next turn.
        PostMessageA(app.Main().Control(Antivirus::cmdScan), BM_CLICK, 0, 0);
      }
    };
  });
  if (!app.Start(SW_SHOWNORMAL)) return 1;
  Settle(300);
  HWND scan = app.Main().Control(Antivirus::cmdScan);
  HWND status = app.Main().Control(Antivirus::status);

  LARGE_INTEGER start, end;
  SetFocus(scan);  // as the mouse's press on it gives it the focus
  QueryPerformanceCounter(&start);
  SendMessageA(scan, BM_CLICK, 0, 0);  // returns when the scan has ended
  QueryPerformanceCounter(&end);
  const std::string files = Text(app.Main().Control(Antivirus::lblFileDiperiksa));
  const std::string message = Text(status);
  const double scanSeconds = Seconds(start, end);
  const double scanYieldSeconds = yieldSeconds;

  if (args.size() == 3) {
    HWND list = app.Main().Control(Antivirus::ListView1);
    tarvex::ui::PumpPendingMessages();
    const std::size_t rows = ShownRows(list);
    const bool hapus = args[2] == "hapus";
    const double seconds = TimedClick(app.Main().Control(hapus ? Antivirus::cmdHapus : Antivirus::cmdKarantina));
    std::printf("%s; files %s, rows %zu, seconds %.3f, drawing seconds %.3f, %s seconds %.3f, rows left %zu, peak MB %.1f\n",
                message.c_str(), files.c_str(), rows, scanSeconds, scanYieldSeconds, args[2].c_str(), seconds,
                ShownRows(list), PeakMegabytes());
    std::fflush(stdout);
    ExitProcess(0);
  }

  Settle(100);
  stopAfterMs = GetTickCount() + static_cast<DWORD>(scanSeconds * 500);  // halfway through
  SendMessageA(scan, BM_CLICK, 0, 0);
  QueryPerformanceCounter(&end);
  const double stopMs = stopClicked.QuadPart ? Seconds(stopClicked, end) * 1000 : -1;

  std::printf("%s; files %s, stop noticed after %.0f ms (%s), seconds %.3f\n", message.c_str(), files.c_str(), stopMs,
              Text(status).c_str(), scanSeconds);
  std::fflush(stdout);
  // As the program ends: at once.
  ExitProcess(0);
}
