#include "app/app_win32.h"

namespace tarvex {

// One line per window. A window whose state class needs nothing drawn by
// hand is a plain ui::TableWindow over its state, for example:
//
//   app.Register(AppWindow::frmAbout, App::MainWindow::Blocked, [](App& app) {
//     return std::make_unique<ui::TableWindow>(std::make_unique<frmAbout>(AboutServices{...app.Desktop()...}));
//   });
void RegisterWindows(App& /*app*/) {}

}  // namespace tarvex
