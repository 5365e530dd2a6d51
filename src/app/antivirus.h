#pragma once
// State and scan command of the main window, in plain C++: the real window
// shows what this class holds, and tests drive it directly.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/analyse_animation.h"
#include "app/antivirus_controls.h"
#include "app/elapsed_clock.h"
#include "remedy/delete_quarantine.h"
#include "remedy/mod_log.h"
#include "remedy/process_guard.h"
#include "scan/file_detection.h"
#include "scan/folder_walk.h"
#include "scan/result_row.h"
#include "system/clock.h"
#include "system/file_system.h"

namespace tarvex {

// Told about every change, so the real window can update its controls.
class AntivirusObserver {
 public:
  virtual ~AntivirusObserver() = default;
  virtual void ControlChanged(Ctl) {}
  virtual void ProgressChanged(int /*value*/) {}
  virtual void RowsCleared() {}
  virtual void RowAppended(std::size_t /*index from 1*/) {}
  virtual void RowRemoved(std::size_t /*index from 1*/) {}
  virtual void TimerChanged(Timer, bool /*enabled*/) {}
};

// What the window needs from outside that a test cannot click through.
struct AntivirusServices {
  // The folder browser: the chosen folder, or no value when cancelled.
  std::function<std::optional<std::string>()> browseFolder;
  std::function<void()> yield;       // hand control to the event queue
  std::function<void()> beep;        // the end-of-scan beep
  std::function<void()> endProgram;  // ends the program at once
  DirectorySource* directories = nullptr;
  sys::ProcessApi* processes = nullptr;  // the running processes the guard sees
  DetectionServices detection;           // file facts and database of the checks
  // Required: delete, quarantine and the activity log's files, and the log's clock.
  sys::FileSystem* files = nullptr;
  const sys::Clock* clock = nullptr;
};

class Antivirus : private WalkHost, private DetectionHost, private RemedyHost {
 public:
  explicit Antivirus(AntivirusServices services);
  Antivirus(const Antivirus&) = delete;
  Antivirus& operator=(const Antivirus&) = delete;

  void SetObserver(AntivirusObserver* observer) { observer_ = observer; }
  // Replaces the checks run for each file of the scanning pass (by default
  // the file detection's check selection); `folder` ends in "\".
  void SetFileCheck(std::function<void(const std::string& folder, const std::string& name)> check) {
    fileCheck_ = std::move(check);
  }

  // Events.
  void cmdScan_Click();
  void cmdKeluar_Click();
  void cmdHapus_Click();
  void cmdKarantina_Click();
  void Timer1_Timer();
  void Timer2_Timer();

  // What the controls show.
  const std::string& Text(Ctl c) const { return texts_[Index(c)]; }
  const std::string& Tooltip(Ctl c) const { return tooltips_[Index(c)]; }
  bool Enabled(Ctl c) const { return enabled_[Index(c)]; }
  int ProgressValue() const { return progress_; }
  bool TimerEnabled(Timer t) const { return t == Timer::Timer1 ? timer1_ : timer2_; }
  const std::vector<ResultRow>& Rows() const { return rows_; }
  const std::string& ScanRoot() const { return scanRoot_; }
  bool Scanning() const { return Text(Ctl::cmdScan) == "Stop"; }
  // True from the start of a scan until its end message, also while a
  // stopped scan unwinds.
  bool Busy() const { return busy_; }

  // Used by the checks and the other commands of the window.
  void SetText(Ctl c, const std::string& text);
  void SetEnabled(Ctl c, bool enabled);
  void SetProgress(int value);
  void AppendRow(ResultRow row) override;
  void ClearRows();
  void RemoveRow(std::size_t index) override;
  ProcessGuard& Guard() { return guard_; }
  FileDetection& Detection() { return detection_; }

  // One pass over ScanRoot: "Hitung" counts, "Pindai" examines.
  void MENGANALISA(const std::string& Kerja);

 private:
  static std::size_t Index(Ctl c) { return static_cast<std::size_t>(c); }
  void Changed(Ctl c);
  void SetTimer(Timer t, bool enabled);

  void RunScan();
  void ShowEndMessage();
  void StartElapsedTimer();
  void StopElapsedTimer();
  void StartAnalyseAnimation();
  void StopAnalyseAnimation();

  // WalkHost
  bool StopRequested() override { return Text(Ctl::cmdScan) == "Scan"; }
  void ExamineFile(const std::string& folder, const std::string& name) override;
  void DoEvents() override;

  // DetectionHost; the row, count and process members serve RemedyHost too.
  std::size_t RowCount() const override { return rows_.size(); }
  std::string RowPath(std::size_t index) const override { return rows_.at(index - 1).path; }
  std::string VirusCountText() const override { return Text(Ctl::lblJumlahVirus); }
  void SetVirusCountText(const std::string& text) override { SetText(Ctl::lblJumlahVirus, text); }
  void StopProcessOf(const std::string& path) override;

  // RemedyHost
  void SetCheckedCountText(const std::string& text) override { SetText(Ctl::lblFileDiperiksa, text); }
  void SetStatusText(const std::string& text) override { SetText(Ctl::status, text); }
  void ShowPercent(int percent) override;
  void ListProcesses() override { guard_.ListProcesses(); }

  void tindakan(const std::string& aksi);

  AntivirusServices services_;
  AntivirusObserver* observer_ = nullptr;
  std::function<void(const std::string&, const std::string&)> fileCheck_;

  static constexpr std::size_t kControls = static_cast<std::size_t>(Ctl::Count);
  std::array<std::string, kControls> texts_;
  std::array<std::string, kControls> tooltips_;
  std::array<bool, kControls> enabled_;
  int progress_ = 0;
  bool timer1_ = false;
  bool timer2_ = false;
  std::vector<ResultRow> rows_;
  std::string scanRoot_;
  bool busy_ = false;

  ModLog log_;
  ProcessGuard guard_;
  FileDetection detection_;
  ElapsedClock clock_;
  AnalyseAnimation animation_;
};

}  // namespace tarvex
