#include "app/app_win32.h"

#include "system/replacement_files.h"
#include "system/files.h"
#include "system/processes.h"
#include "system/program_folder.h"
#include "system/regional.h"
#include "system/shell.h"
#include "ui/message_loop_win32.h"

namespace tarvex {

namespace {

DesktopServices RealDesktop(App& app) {
  DesktopServices d;
  d.browseFolder = [&app] { return sys::BrowseForFolder(app.Main().Handle(), "Pilih lokasi yang akan di periksa."); };
  d.messageBox = [](const std::string& text, unsigned flags, const std::string& title) {
    return sys::MsgBox(GetActiveWindow(), text, flags, title);
  };
  d.shellOpen = [](HWND owner, const std::string& target) { sys::ShellOpen(owner, target); };
  d.workArea = [] {
    RECT r = sys::WorkArea();
    return ui::Box{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  // The scan yields after every file; the queue needs a turn once per frame.
  d.yield = [] { ui::PumpPendingMessagesPaced(); };
  d.beep = [] { MessageBeep(MB_OK); };
  // At once: no window closes first, no unload handler runs, a scan stops mid-loop.
  d.endProgram = [] { ExitProcess(0); };
  d.programFolder = [] { return sys::ProgramFolder(); };
  d.visibleFileExists = [](const std::string& path) { return sys::VisibleFileExists(path); };
  d.downloadsFolder = [] { return sys::DownloadsFolder(); };
  d.clock = &sys::SystemClock();
  d.files = &sys::SystemFileSystem();
  d.getOpenFileName = [](HWND owner, OpenFileRequest& request) {
    cCommonDialog dialog;
    return dialog.VBGetOpenFileName(request, reinterpret_cast<std::intptr_t>(owner));
  };
  d.decimalSeparator = [] { return sys::DecimalSeparator(); };
  d.folderExists = [](const std::string& path) {
    std::optional<std::uint32_t> attributes = sys::FileAttributes(path);
    return attributes && (*attributes & sys::kAttrDirectory);
  };
  d.driveType = sys::DriveTypeOf;
  return d;
}

}  // namespace

App::App(const std::function<void(DesktopServices&)>& adjust) : desktop_(RealDesktop(*this)) {
  if (adjust) adjust(desktop_);
  main_ = std::make_unique<AntivirusWindow>(MainWindowServices(), desktop_.folderExists, desktop_.driveType);
  RegisterWindows(*this);
}

App::~App() {
  // Owned windows go before their owner.
  windows_.clear();
  main_.reset();
}

AntivirusServices App::MainWindowServices() {
  return {
      .browseFolder = desktop_.browseFolder,
      .messageBox = desktop_.messageBox,
      .yield = desktop_.yield,
      .beep = desktop_.beep,
      .endProgram = desktop_.endProgram,
      .showWindow = [this](AppWindow kind) { Show(kind); },
      .programFolder = desktop_.programFolder,
      .visibleFileExists = desktop_.visibleFileExists,
      .clock = *desktop_.clock,
      .processes = sys::SystemProcesses(),
      .scan = SystemScanServices(),
      .files = *desktop_.files,
  };
}

bool App::Start(int showCommand) { return main_->Show(nullptr, showCommand); }

int App::Run() { return ui::RunMessageLoop(); }

void App::Register(AppWindow kind, MainWindow main, Factory make) {
  Entry& e = windows_[kind];
  e.main = main;
  e.make = std::move(make);
}

ui::TableWindow* App::Find(AppWindow kind) {
  auto it = windows_.find(kind);
  return it == windows_.end() ? nullptr : it->second.window.get();
}

void App::Show(AppWindow kind) {
  auto it = windows_.find(kind);
  if (it == windows_.end() || !it->second.make) return;
  Entry& e = it->second;
  if (!e.window) e.window = e.make(*this);
  if (!e.window) return;
  HWND main = main_->Handle();
  if (e.main == MainWindow::Blocked && !e.window->IsLoaded()) {
    EnableWindow(main, FALSE);
    // Usable again before the window goes, so that activation returns to it.
    e.window->onUnload = [main] { EnableWindow(main, TRUE); };
  }
  if (!e.window->Show(e.main == MainWindow::NotOwner ? nullptr : main) && e.main == MainWindow::Blocked)
    EnableWindow(main, TRUE);
}

}  // namespace tarvex
