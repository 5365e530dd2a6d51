#include "app/app_win32.h"

#include "remedy/mod_log.h"
#include "system/replacement_files.h"
#include "windows/check_update_window_win32.h"
#include "windows/frm_update.h"

namespace tarvex {

// One line per window. A window whose state class needs nothing drawn by
// hand is a plain ui::TableWindow over its state.
void RegisterWindows(App& app) {
  app.Register(AppWindow::frmUpdate, App::MainWindow::StaysUsable, [](App& app) {
    return std::make_unique<ui::TableWindow>(std::make_unique<frmUpdate>(UpdateReminderServices{
        .workArea = app.Desktop().workArea,
        .writeLog =
            [&app](const std::string& message) {
              const DesktopServices& d = app.Desktop();
              ModLog(*d.files, *d.clock, d.programFolder()).WriteLog(message);
            },
        .showDownloadWindow = [&app] { app.Show(AppWindow::frmCheckUpdate); },
    }));
  });
  // Not owned: it stays when the reminder that opened it sinks away.
  app.Register(AppWindow::frmCheckUpdate, App::MainWindow::NotOwner, [](App& app) {
    return std::make_unique<CheckUpdateWindow>(CheckUpdateServices{
        .shellOpen = app.Desktop().shellOpen,
        .databasePath = [programFolder = app.Desktop().programFolder] { return programFolder() + "\\Tarvex.db"; },
        .downloadsFolder = app.Desktop().downloadsFolder,
        .files = sys::SystemReplacementFiles(),
    });
  });
}

}  // namespace tarvex
