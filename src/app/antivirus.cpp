#include "app/antivirus.h"

#include "scan/scan_progress.h"
#include "system/program_folder.h"

namespace tarvex {

namespace {

struct ButtonDesign {
  Ctl control;
  const char* caption;
  const char* tooltip;
};

constexpr ButtonDesign kButtons[] = {
    {Ctl::cmdScan, "Scan", "Klik disini untuk memeriksa file."},
    {Ctl::cmdHapus, "Hapus", "Klik disini untuk menghapus virus yang terdeteksi."},
    {Ctl::cmdKarantina, "Karantina", "Klik disini untuk memindahkan virus ke karantina."},
    {Ctl::cmdMenu, "Menu", "Klik disini untuk menjalankan  menu tambahan."},
    {Ctl::cmdKeluar, "Keluar", "Klik disini untuk Keluar."},
    {Ctl::cmdUpdate, "Update", "Update Antivirus disini"},
};

// The buttons a running scan must keep out of reach, in the order they are switched.
constexpr Ctl kDisabledWhileScanning[] = {Ctl::cmdHapus, Ctl::cmdMenu, Ctl::cmdKarantina, Ctl::cmdUpdate};
constexpr Ctl kEnabledAfterScan[] = {Ctl::cmdMenu, Ctl::cmdHapus, Ctl::cmdKarantina, Ctl::cmdUpdate};

}  // namespace

Antivirus::Antivirus(AntivirusServices services)
    : services_(std::move(services)),
      log_(*services_.files, *services_.clock, sys::ProgramFolder()),
      guard_(services_.processes ? *services_.processes : sys::SystemProcesses()),
      detection_(*this, services_.detection) {
  if (!services_.directories) services_.directories = &SystemDirectories();
  fileCheck_ = [this](const std::string& folder, const std::string& name) { detection_.CheckSelection(folder, name); };
  enabled_.fill(true);
  texts_[Index(Ctl::lblFileDiperiksa)] = "0";
  texts_[Index(Ctl::lblTotalFile)] = "0";
  texts_[Index(Ctl::lblJumlahVirus)] = "0";
  texts_[Index(Ctl::lblPercentComplete)] = "0 % Complete...";
  texts_[Index(Ctl::Label1)] = "Elapsed : 00:00:00";
  for (const ButtonDesign& b : kButtons) {
    texts_[Index(b.control)] = b.caption;
    tooltips_[Index(b.control)] = b.tooltip;
  }
}

void Antivirus::Changed(Ctl c) {
  if (observer_) observer_->ControlChanged(c);
}

void Antivirus::SetText(Ctl c, const std::string& text) {
  if (texts_[Index(c)] == text) return;
  texts_[Index(c)] = text;
  Changed(c);
}

void Antivirus::SetEnabled(Ctl c, bool enabled) {
  if (enabled_[Index(c)] == enabled) return;
  enabled_[Index(c)] = enabled;
  Changed(c);
}

void Antivirus::SetProgress(int value) {
  progress_ = value;
  if (observer_) observer_->ProgressChanged(value);
}

void Antivirus::SetTimer(Timer t, bool enabled) {
  (t == Timer::Timer1 ? timer1_ : timer2_) = enabled;
  if (observer_) observer_->TimerChanged(t, enabled);
}

void Antivirus::AppendRow(ResultRow row) {
  rows_.push_back(std::move(row));
  if (observer_) observer_->RowAppended(rows_.size());
}

void Antivirus::RemoveRow(std::size_t index) {
  if (index < 1 || index > rows_.size()) return;
  rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index - 1));
  if (observer_) observer_->RowRemoved(index);
}

void Antivirus::ClearRows() {
  rows_.clear();
  if (observer_) observer_->RowsCleared();
}

void Antivirus::cmdScan_Click() {
  if (Text(Ctl::cmdScan) != "Scan") {
    SetText(Ctl::cmdScan, "Scan");  // Stop: the walk notices it at its next poll
    return;
  }
  // A stopped scan is still unwinding: a new one must not start inside it.
  if (busy_) return;

  std::optional<std::string> chosen = services_.browseFolder ? services_.browseFolder() : std::nullopt;
  if (!chosen) return;
  std::string root = chosen->substr(0, chosen->find('\0'));
  // An empty path would make the walk start at the root of the current drive.
  if (root.empty()) return;
  scanRoot_ = root;

  busy_ = true;
  RunScan();
  busy_ = false;
}

void Antivirus::RunScan() {
  ClearRows();
  SetText(Ctl::lblPercentComplete, "0 % Complete...");
  SetProgress(0);
  SetText(Ctl::cmdScan, "Stop");
  for (Ctl c : kDisabledWhileScanning) SetEnabled(c, false);
  SetText(Ctl::lblFileDiperiksa, "0");
  SetText(Ctl::lblTotalFile, "0");
  SetText(Ctl::lblJumlahVirus, "0");
  StartAnalyseAnimation();
  StartElapsedTimer();

  MENGANALISA("Hitung");
  StopAnalyseAnimation();
  MENGANALISA("Pindai");
  StopElapsedTimer();

  SetText(Ctl::lblJumlahVirus, CounterText(static_cast<double>(rows_.size())));
  SetText(Ctl::cmdScan, "Scan");
  for (Ctl c : kEnabledAfterScan) SetEnabled(c, true);
  ShowEndMessage();
}

void Antivirus::ShowEndMessage() {
  const std::string found = Text(Ctl::lblJumlahVirus);
  const bool stopped = CounterValue(Text(Ctl::lblFileDiperiksa)) < CounterValue(Text(Ctl::lblTotalFile));
  if (found == "0") {
    SetText(Ctl::status, stopped ? "Proses dihentikan, tak ada virus ditemukan."
                                 : "Pemeriksaan selesai, tak ada virus ditemukan.");
  } else {
    SetText(Ctl::status, (stopped ? "Proses dihentikan, " : "Pemeriksaan selesai, ") + found + " virus ditemukan.");
  }
  if (stopped) {
    SetProgress(0);
  } else if (found != "0" && services_.beep) {
    services_.beep();
  }
}

void Antivirus::MENGANALISA(const std::string& Kerja) {
  ClearRows();
  double counter = 0;
  std::string path = scanRoot_;
  MENCARI_VIRUS(path, "*.*", counter, Kerja, *this, *services_.directories);
  DoEvents();
  if (Kerja == "Hitung") SetText(Ctl::lblTotalFile, CounterText(counter));
}

void Antivirus::ExamineFile(const std::string& folder, const std::string& name) {
  SetText(Ctl::status, StatusLineFor(folder, name));
  try {
    if (fileCheck_) fileCheck_(folder, name);
  } catch (...) {
    // A failing check costs this file its verdict, never the scan.
  }
  SetText(Ctl::lblFileDiperiksa, IncrementedCounter(Text(Ctl::lblFileDiperiksa)));
  std::optional<std::int16_t> p =
      PercentComplete(CounterValue(Text(Ctl::lblTotalFile)), CounterValue(Text(Ctl::lblFileDiperiksa)));
  if (p && *p <= 100) ShowPercent(*p);
}

void Antivirus::ShowPercent(int percent) {
  SetProgress(percent);
  SetText(Ctl::lblPercentComplete, std::to_string(percent) + " % Complete...");
}

void Antivirus::DoEvents() {
  if (services_.yield) services_.yield();
}

void Antivirus::StopProcessOf(const std::string& path) {
  guard_.ListProcesses();
  guard_.KillProcessByPath(path);
}

void Antivirus::cmdKeluar_Click() {
  if (services_.endProgram) services_.endProgram();
}

void Antivirus::cmdHapus_Click() {
  log_.WriteLog("hapus virus");
  tindakan("hapus");
}

void Antivirus::cmdKarantina_Click() {
  log_.WriteLog("karantina");
  tindakan("karantina");
}

void Antivirus::tindakan(const std::string& aksi) { tarvex::tindakan(aksi, *this, *services_.files); }

void Antivirus::StartElapsedTimer() {
  clock_.Reset();  // the label keeps the last scan's time until the first tick
  SetTimer(Timer::Timer1, true);
}

void Antivirus::StopElapsedTimer() { SetTimer(Timer::Timer1, false); }

void Antivirus::StartAnalyseAnimation() {
  SetTimer(Timer::Timer2, true);
  animation_.Start();
}

void Antivirus::StopAnalyseAnimation() { SetTimer(Timer::Timer2, false); }

void Antivirus::Timer1_Timer() {
  if (!timer1_) return;
  SetText(Ctl::Label1, clock_.Tick());
}

void Antivirus::Timer2_Timer() {
  if (!timer2_) return;
  if (std::optional<std::string> text = animation_.Tick()) SetText(Ctl::status, *text);
}

}  // namespace tarvex
