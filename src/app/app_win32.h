#pragma once
// The program: one App, made by WinMain, shows the main window, owns every
// other window once per run and runs the event queue. It is also the one
// place where the real services are put together.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/antivirus_window_win32.h"
#include "app/app_window.h"
#include "app/start_request.h"
#include "system/clock.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/user_services.h"
#include "ui/table_window_win32.h"
#include "widgets/common_dialog.h"

namespace tarvex {

// The services of the user's desktop that the windows' state classes take
// theirs from.
struct DesktopServices {
  sys::FolderBrowserService browseFolder;  // the main window's scan folder
  sys::MessageBoxService messageBox;       // owned by the program's active window
  // The shell's "open" on behalf of the window `owner`.
  std::function<void(HWND owner, const std::string& fileOrAddress)> shellOpen;
  sys::WorkAreaService workArea;
  std::function<void()> yield;
  std::function<void()> beep;
  std::function<void()> endProgram;
  std::function<std::string()> programFolder;
  std::function<bool(const std::string& path)> visibleFileExists;
  std::function<std::optional<std::string>()> downloadsFolder;  // the user's, for a downloaded database
  const sys::Clock* clock = nullptr;
  sys::FileSystem* files = nullptr;  // the changes of delete, quarantine and the activity log
  // The open-file dialog (cCommonDialog) owned by the window `owner`.
  std::function<bool(HWND owner, OpenFileRequest& request)> getOpenFileName;
  std::function<std::string()> decimalSeparator;  // the user's
  // A folder (or drive root) to scan is there; and what kind of drive a root is.
  std::function<bool(const std::string& path)> folderExists;
  sys::DriveTypeService driveType;
};

class App {
 public:
  // `adjust` may replace real services before any window sees them (tests
  // and helper programs); the program itself passes none.
  explicit App(const std::function<void(DesktopServices&)>& adjust = nullptr);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Creates and shows the main window.
  bool Start(int showCommand);
  // The event queue, until the program ends.
  int Run();

  AntivirusWindow& Main() { return *main_; }
  // The folders to scan and the flash-disk guard asked for on the command
  // line or by a later start; they run once the main window is idle.
  void Accept(const StartRequest& request) { main_->Requests().Accept(request); }
  const DesktopServices& Desktop() const { return desktop_; }

  // Whether the main window takes input while the window is open, and
  // whether it owns the window at all.
  enum class MainWindow { StaysUsable, Blocked, NotOwner };
  using Factory = std::function<std::unique_ptr<ui::TableWindow>(App&)>;
  // Tells the App how to make the window of `kind` (see app_windows_win32.cpp).
  void Register(AppWindow kind, MainWindow main, Factory make);

  // Shows the window of `kind`, owned by the main window (unless registered
  // as NotOwner): made on the first request, the same object afterwards; one
  // that is open already only comes forward. A kind nobody registered does
  // nothing.
  void Show(AppWindow kind);
  // The window of `kind` once it was made, else null.
  ui::TableWindow* Find(AppWindow kind);

 private:
  struct Entry {
    MainWindow main = MainWindow::StaysUsable;
    Factory make;
    std::unique_ptr<ui::TableWindow> window;
  };
  AntivirusServices MainWindowServices();

  DesktopServices desktop_;
  std::unique_ptr<AntivirusWindow> main_;
  std::map<AppWindow, Entry> windows_;
};

// Registers every window the program has besides the main one.
void RegisterWindows(App& app);

}  // namespace tarvex
