#include "app/app_win32.h"

#include "base/program_files.h"
#include "remedy/mod_log.h"
#include "signatures/checksum_text.h"
#include "signatures/cls_crc.h"
#include "signatures/kumpulan_fungsi.h"
#include "system/files.h"
#include "system/replacement_files.h"
#include "system/shell.h"
#include "windows/check_update_window_win32.h"
#include "windows/ext_tool_window_win32.h"
#include "windows/frm_about.h"
#include "windows/frm_karantina.h"
#include "windows/frm_signature.h"
#include "windows/frm_temp_db.h"
#include "windows/frm_update.h"

namespace tarvex {

namespace {

// The activity log as the desktop's files, clock and program folder make it.
std::function<void(const std::string&)> ActivityLog(const DesktopServices& d) {
  return [&d](const std::string& message) { ModLog(*d.files, *d.clock, d.programFolder()).WriteLog(message); };
}

// What a window hands to the shell or asks a dialog for belongs to that
// window, whichever window happens to be active at the moment (maybe none).
HWND HandleOf(App& app, AppWindow kind) {
  ui::TableWindow* window = app.Find(kind);
  return window ? window->Handle() : nullptr;
}

sys::ShellOpenService ShellOpenFor(App& app, AppWindow kind) {
  return [&app, kind](const std::string& target) { app.Desktop().shellOpen(HandleOf(app, kind), target); };
}

// A window whose state class needs nothing drawn by hand: a plain
// ui::TableWindow over its state, with the services made from the App's.
template <class State, class Services>
App::Factory Plain(std::function<Services(App&)> services) {
  return [services](App& app) { return std::make_unique<ui::TableWindow>(std::make_unique<State>(services(app))); };
}

}  // namespace

// One entry per window.
void RegisterWindows(App& app) {
  app.Register(AppWindow::frmTempDb, App::MainWindow::Blocked,
               Plain<frmTempDb, TempDbServices>([](App& app) {
                 const DesktopServices& d = app.Desktop();
                 return TempDbServices{
                     .getOpenFileName =
                         [&app](OpenFileRequest& request) {
                           return app.Desktop().getOpenFileName(HandleOf(app, AppWindow::frmTempDb), request);
                         },
                     .checksumText = [](const std::string& path) { return ChecksumText(clsCRC().CalculateFile(path)); },
                     .packer = DetectPacker,
                     .compiler = DetectCompiler,
                     .fileLength = sys::FileLength,
                     .decimalSeparator = d.decimalSeparator,
                     .markChecksum = [&app](const std::string& checksum) { app.Main().State().SetUserMark(checksum); },
                 };
               }));
  app.Register(AppWindow::frmExtTool, App::MainWindow::Blocked, [](App& app) {
    const DesktopServices& d = app.Desktop();
    return std::make_unique<ExtToolWindow>(ExtToolServices{
        .writeLog = ActivityLog(d),
        .programFolder = d.programFolder,
        .visibleFileExists = d.visibleFileExists,
        .shellOpen = ShellOpenFor(app, AppWindow::frmExtTool),
        .messageBox = d.messageBox,
    });
  });
  app.Register(AppWindow::frmSignature, App::MainWindow::Blocked,
               Plain<frmSignature, SignatureServices>([](App& app) {
                 const DesktopServices& d = app.Desktop();
                 return SignatureServices{.databasePath = [&d] { return DatabasePath(d.programFolder()); }};
               }));
  app.Register(AppWindow::frmAbout, App::MainWindow::Blocked,
               Plain<frmAbout, AboutServices>([](App& app) {
                 return AboutServices{.writeLog = ActivityLog(app.Desktop()),
                                      .shellOpen = ShellOpenFor(app, AppWindow::frmAbout)};
               }));
  app.Register(AppWindow::frmKarantina, App::MainWindow::Blocked,
               Plain<frmKarantina, KarantinaServices>([](App& app) {
                 const DesktopServices& d = app.Desktop();
                 return KarantinaServices{
                     .files = *d.files,
                     .clock = *d.clock,
                     .quarantineFolder = kQuarantineFolder,
                     .messageBox = d.messageBox,
                     .browseFolder =
                         [&app] {
                           return sys::BrowseForFolder(HandleOf(app, AppWindow::frmKarantina),
                                                       "Pilih folder tujuan file yang dipulihkan.");
                         },
                     .writeLog = ActivityLog(d),
                 };
               }));
  app.Register(AppWindow::frmUpdate, App::MainWindow::StaysUsable, [](App& app) {
    return std::make_unique<ui::TableWindow>(std::make_unique<frmUpdate>(UpdateReminderServices{
        .workArea = app.Desktop().workArea,
        .writeLog = ActivityLog(app.Desktop()),
        .showDownloadWindow = [&app] { app.Show(AppWindow::frmCheckUpdate); },
    }));
  });
  // Not owned: it stays when the reminder that opened it sinks away.
  app.Register(AppWindow::frmCheckUpdate, App::MainWindow::NotOwner, [](App& app) {
    return std::make_unique<CheckUpdateWindow>(CheckUpdateServices{
        .shellOpen = ShellOpenFor(app, AppWindow::frmCheckUpdate),
        .databasePath = [programFolder = app.Desktop().programFolder] { return DatabasePath(programFolder()); },
        .downloadsFolder = app.Desktop().downloadsFolder,
        .files = sys::SystemReplacementFiles(),
    });
  });
}

}  // namespace tarvex
