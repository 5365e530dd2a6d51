#pragma once
// The main window "Antivirus" in plain C++: its controls and timers, the scan
// command, the start-up checks of each activation, the close request and the
// menu. The Win32 window shows what this class holds; tests drive it directly.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/analyse_animation.h"
#include "app/antivirus_table.h"
#include "app/app_window.h"
#include "app/elapsed_clock.h"
#include "app/result_row.h"
#include "base/program_files.h"
#include "remedy/process_guard.h"
#include "remedy/remedy_batch.h"
#include "scan/two_pass_scan.h"
#include "system/clock.h"
#include "system/file_system.h"
#include "system/user_services.h"
#include "ui/list_rows.h"
#include "ui/window_state.h"

namespace tarvex {

// Everything the main window needs from outside that a test cannot click
// through. All of it must be given: the constructor refuses a missing one.
struct AntivirusServices {
  sys::FolderBrowserService browseFolder;
  sys::MessageBoxService messageBox;
  std::function<void()> yield;       // hands control to the event queue once
  std::function<void()> beep;        // the end-of-scan beep
  std::function<void()> endProgram;  // ends the program at once
  std::function<void(AppWindow)> showWindow;
  std::function<std::string()> programFolder;
  // The lookup by name that sees only files without the hidden or system attribute.
  std::function<bool(const std::string& path)> visibleFileExists;
  const sys::Clock& clock;
  sys::ProcessApi& processes;
  ScanServices scan;       // the folders, the files and the database the scan reads
  sys::FileSystem& files;  // delete, quarantine and the activity log
};

// From 1 November 2011 on, every activation asks the user to fetch a newer version.
bool DateWarningDue(const sys::LocalTime& today);

class Antivirus : public ui::WindowState, private ScanSink {
 public:
  static constexpr ui::ControlTable kControls{kAntivirusControls};
  static constexpr int Image1 = kControls.IdOf("Image1");
  static constexpr int Line1 = kControls.IdOf("Line1");
  static constexpr int lblFileDiperiksa = kControls.IdOf("lblFileDiperiksa");
  static constexpr int lblTotalFile = kControls.IdOf("lblTotalFile");
  static constexpr int lblJumlahVirus = kControls.IdOf("lblJumlahVirus");
  static constexpr int status = kControls.IdOf("status");
  static constexpr int lblPercentComplete = kControls.IdOf("lblPercentComplete");
  static constexpr int ProgressBar1 = kControls.IdOf("ProgressBar1");
  static constexpr int ListView1 = kControls.IdOf("ListView1");
  static constexpr int cmdScan = kControls.IdOf("cmdScan");
  static constexpr int cmdHapus = kControls.IdOf("cmdHapus");
  static constexpr int cmdKarantina = kControls.IdOf("cmdKarantina");
  static constexpr int cmdMenu = kControls.IdOf("cmdMenu");
  static constexpr int cmdKeluar = kControls.IdOf("cmdKeluar");
  static constexpr int cmdUpdate = kControls.IdOf("cmdUpdate");
  static constexpr int Label1 = kControls.IdOf("Label1");  // elapsed-time clock
  static constexpr int Image2 = kControls.IdOf("Image2");
  static constexpr int mnu = kControls.IdOf("mnu");
  static constexpr int mnuTemp = kControls.IdOf("mnuTemp");
  static constexpr int mnuTool = kControls.IdOf("mnuTool");
  static constexpr int mnuViewSigna = kControls.IdOf("mnuViewSigna");
  static constexpr int mnuAbout = kControls.IdOf("mnuAbout");
  static constexpr int mnuKarantina = kControls.IdOf("mnuKarantina");
  // Timers: the elapsed-time clock and the analysing animation.
  static constexpr int Timer1 = 1;
  static constexpr int Timer2 = 2;

  explicit Antivirus(AntivirusServices services);

  // Events.
  void Form_Activate() override;
  bool Form_QueryUnload() override;
  void Click(int id) override;
  void Timer(int id) override;

  void cmdScan_Click();
  // What follows the folder browser of cmdScan_Click: the scan of `root`,
  // exactly as if the user had pressed Scan and picked it. Nothing happens
  // while a scan (or a stopped one unwinding) is busy.
  void ScanFolder(const std::string& root);
  // Told when the start-up steps of an activation have passed, and when a
  // scan has ended; either may be empty.
  std::function<void()> onActivated;
  std::function<void()> onScanEnded;
  void cmdKeluar_Click();
  void cmdMenu_Click();
  void cmdHapus_Click();
  void cmdKarantina_Click();
  void Timer1_Timer();
  void Timer2_Timer();

  // What the controls show.
  const std::string& Text(int id) const { return Controls().Text(id); }
  bool Enabled(int id) const { return Controls().Enabled(id); }
  int ProgressValue() const { return Controls().Position(ProgressBar1); }
  std::vector<ResultRow> Rows() const;
  const std::string& ScanRoot() const { return scanRoot_; }
  // A scan runs and no stop was asked for.
  bool Scanning() const { return busy_ && !scan_.Stopping(); }
  // True from the start of a scan until its end message, also while a
  // stopped scan unwinds.
  bool Busy() const { return busy_; }
  ProcessGuard& Guard() { return guard_; }

  // The status line, also for what the command line and the guard tell.
  void ShowStatus(const std::string& text) { SetText(status, text); }

  // The checksum text the file analysis window marked as a virus; later
  // scans report files with it as "Permintaan User".
  void SetUserMark(const std::string& checksumText) { mark_ = checksumText; }

 private:
  void SetText(int id, const std::string& text) { Controls().SetText(id, text); }
  void SetEnabled(int id, bool enabled) { Controls().SetEnabled(id, enabled); }
  void SetProgress(int value) { Controls().SetPosition(ProgressBar1, value); }
  void ClearRows();

  void RunScan();
  void ShowEndMessage(const ScanCounts& counts);
  std::string DatabasePath() const { return tarvex::DatabasePath(services_.programFolder()); }

  // ScanSink: the labels, list and status line show the scan.
  void PassStarted(Kerja) override { ClearRows(); }
  void PassEnded(Kerja kerja, const ScanCounts& counts) override;
  void Examining(const std::string& folder, const std::string& name, const ScanCounts&) override;
  void Examined(const ScanCounts& counts) override;
  void Detected(const Detection& detection) override;
  void DoEvents() override { services_.yield(); }

  // Removes row `index` (from 1) of the result list.
  void RemoveRow(std::size_t index);
  // The progress bar and lblPercentComplete.
  void ShowPercent(int percent);

  void WriteLog(const std::string& message);
  // `aksi` "hapus" deletes, but moves a guess of a heuristic rule into the
  // quarantine (a deleted file cannot be restored), each logged; anything
  // else quarantines every row. The quarantine folder is made when a row goes
  // there. A row leaves the list when its file was deleted or moved, or was
  // already gone; a file that failed, or is no longer the one the scan found,
  // keeps its row. The summary counts only the files deleted or moved.
  void tindakan(const std::string& aksi);

  AntivirusServices services_;
  std::string scanRoot_;
  std::string mark_;
  bool busy_ = false;
  // What the result list shows, as the scan told it, with what identified
  // each file: the list view's rows, kept here only.
  ui::ListRows<Detection> found_;

  ProcessGuard guard_;
  Remedy remedy_;
  Quarantine quarantine_;
  TwoPassScan scan_;
  ElapsedClock clock_;
  AnalyseAnimation animation_;
};

}  // namespace tarvex
