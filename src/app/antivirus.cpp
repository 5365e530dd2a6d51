#include "app/antivirus.h"

#include "base/app_title.h"
#include "base/web_addresses.h"
#include "remedy/mod_log.h"
#include "scan/scan_progress.h"
#include "system/console.h"
#include "ui/required_services.h"

namespace tarvex {

namespace {

// The buttons a running scan must keep out of reach, in the order they are switched.
constexpr int kDisabledWhileScanning[] = {Antivirus::cmdHapus, Antivirus::cmdMenu, Antivirus::cmdKarantina,
                                          Antivirus::cmdUpdate};
constexpr int kEnabledAfterScan[] = {Antivirus::cmdMenu, Antivirus::cmdHapus, Antivirus::cmdKarantina,
                                     Antivirus::cmdUpdate};

struct MenuCommand {
  int item;
  AppWindow window;
};
constexpr MenuCommand kWindowCommands[] = {
    {Antivirus::mnuTemp, AppWindow::frmTempDb},       {Antivirus::mnuTool, AppWindow::frmExtTool},
    {Antivirus::mnuViewSigna, AppWindow::frmSignature}, {Antivirus::mnuAbout, AppWindow::frmAbout},
    {Antivirus::mnuKarantina, AppWindow::frmKarantina},
    {Antivirus::cmdUpdate, AppWindow::frmUpdate},
};

// The result list's columns: the row's own (empty) text, then the virus
// name, the path, the length in bytes and the remark.
std::string ResultCell(const Detection& d, std::size_t column) {
  switch (column) {
    case 1: return d.virusName;
    case 2: return d.path;
    case 3: return std::to_string(d.size);
    case 4: return d.remark;
    default: return "";
  }
}

const AntivirusServices& Checked(const AntivirusServices& s) {
  ui::RequireServices("AntivirusServices",
                      {{bool(s.browseFolder), "browseFolder"}, {bool(s.messageBox), "messageBox"},
                       {bool(s.yield), "yield"}, {bool(s.beep), "beep"},
                       {bool(s.endProgram), "endProgram"}, {bool(s.showWindow), "showWindow"},
                       {bool(s.programFolder), "programFolder"}, {bool(s.visibleFileExists), "visibleFileExists"}});
  return s;
}

}  // namespace

bool DateWarningDue(const sys::LocalTime& t) {
  return (t.day >= 21 && t.month >= 12 && t.year >= 2011) || (t.month >= 11 && t.year >= 2011) || t.year > 2011;
}

Antivirus::Antivirus(AntivirusServices services)
    : ui::WindowState(kAntivirusWindow, kControls, {{Timer1, 1000}, {Timer2, 500}}),
      services_(Checked(services)),
      found_(Controls(), ListView1, ResultCell),
      guard_(services_.processes),
      remedy_({.files = services_.files,
               .clock = services_.clock,
               .stopProcessOf = [this](const std::string& path) { guard_.StopProcessOf(path); }}),
      quarantine_(kQuarantineFolder, services_.files, services_.clock),
      scan_(*this, services_.scan) {
  scan_.TrustHeuristicFinds([this](const Detection& found, std::optional<std::string_view> content) {
    return quarantine_.TrustsFound(found, content);
  });
}

void Antivirus::Form_Activate() {
  if (DateWarningDue(services_.clock.Now())) {
    services_.messageBox(std::string("ANTIVIRUS TARVEX BUATAN ANAK INDONESIA.\r\ndownload yang baru dari ") +
                             config::kHomePage,
                         sys::kMbOk | sys::kMbIconExclamation, "Peringatan");
  }
  const std::string database = DatabasePath();
  if (!services_.visibleFileExists(database)) {
    services_.messageBox("Maaf...file database Tarvex.db hilang\r\nFile ''" + database + "''", sys::kMbOk, "");
    services_.endProgram();
    return;
  }
  SetText(status, kProgramTitle2011);
  guard_.ListProcesses();
  if (onActivated) onActivated();
}

bool Antivirus::Form_QueryUnload() {
  if (Scanning()) {
    const int answer =
        services_.messageBox("Anda yakin akan keluar saat pemeriksaan file sedang berlangsung?",
                             sys::kMbYesNo | sys::kMbIconQuestion, "Anda Yakin?");
    // Only a clear Yes ends a running scan; a box that could not be shown keeps it.
    if (answer != sys::kIdYes) return false;
  }
  services_.endProgram();
  return false;  // the program has ended; nothing is left to close
}

void Antivirus::Click(int id) {
  switch (id) {
    case cmdScan: cmdScan_Click(); return;
    case cmdKeluar: cmdKeluar_Click(); return;
    case cmdMenu: cmdMenu_Click(); return;
    case cmdHapus: cmdHapus_Click(); return;
    case cmdKarantina: cmdKarantina_Click(); return;
    default: break;
  }
  for (const MenuCommand& m : kWindowCommands)
    if (m.item == id) services_.showWindow(m.window);
}

void Antivirus::Timer(int id) {
  if (id == Timer1) Timer1_Timer();
  if (id == Timer2) Timer2_Timer();
}

void Antivirus::cmdKeluar_Click() { Form_QueryUnload(); }

void Antivirus::cmdMenu_Click() {
  if (Frame()) Frame()->ShowPopupMenu(mnu);
}

std::vector<ResultRow> Antivirus::Rows() const {
  std::vector<ResultRow> rows;
  for (const ui::Row& r : Controls().Rows(ListView1)) rows.push_back({r.at(0), r.at(1), r.at(2), r.at(3), r.at(4)});
  return rows;
}

void Antivirus::ClearRows() { found_.Clear(); }

void Antivirus::RemoveRow(std::size_t index) { found_.Remove(index - 1); }

void Antivirus::cmdScan_Click() {
  if (Scanning()) {
    SetText(cmdScan, "Scan");
    scan_.RequestStop();  // the walk notices it at its next poll
    return;
  }
  // A stopped scan is still unwinding: a new one must not start inside it.
  if (busy_) return;

  std::optional<std::string> chosen = services_.browseFolder();
  if (!chosen) return;
  std::string root = chosen->substr(0, chosen->find('\0'));
  ScanFolder(root);
}

void Antivirus::ScanFolder(const std::string& root) {
  // An empty path would make the walk start at the root of the current drive.
  if (busy_ || root.empty()) return;
  scanRoot_ = root;

  busy_ = true;
  RunScan();
  busy_ = false;
  if (onScanEnded) onScanEnded();
}

void Antivirus::RunScan() {
  ClearRows();
  SetText(lblPercentComplete, "0 % Complete...");
  SetProgress(0);
  SetText(cmdScan, "Stop");
  for (int c : kDisabledWhileScanning) SetEnabled(c, false);
  SetText(lblFileDiperiksa, "0");
  SetText(lblTotalFile, "0");
  SetText(lblJumlahVirus, "0");
  Timers().Start(Timer2);
  animation_.Start();
  clock_.Reset();  // the label keeps the last scan's time until the first tick
  Timers().Start(Timer1);
  // Read once for the whole scan, and only when it changed since the last one.
  scan_.PrepareDatabase(DatabasePath(), mark_);
  quarantine_.ReadTrust();
  const ScanCounts counts = scan_.Run({{scanRoot_}});

  SetText(lblJumlahVirus, std::to_string(found_.size()));
  SetText(cmdScan, "Scan");
  for (int c : kEnabledAfterScan) SetEnabled(c, true);
  ShowEndMessage(counts);
}

void Antivirus::ShowEndMessage(const ScanCounts& counts) {
  const std::size_t found = found_.size();
  const bool stopped = counts.stopped;
  SetText(status, std::string(stopped ? "Proses dihentikan, " : "Pemeriksaan selesai, ") +
                      (found == 0 ? std::string("tak ada") : std::to_string(found)) + " virus ditemukan.");
  if (stopped) {
    SetProgress(0);
  } else if (found != 0) {
    services_.beep();
  }
}

void Antivirus::PassEnded(Kerja kerja, const ScanCounts& counts) {
  if (kerja == Kerja::Hitung) {
    SetText(lblTotalFile, std::to_string(counts.counted));
    Timers().Stop(Timer2);
  } else {
    Timers().Stop(Timer1);
  }
}

void Antivirus::Examining(const std::string& folder, const std::string& name, const ScanCounts&) {
  SetText(status, StatusLineFor(folder, name));
}

void Antivirus::Examined(const ScanCounts& counts) {
  SetText(lblFileDiperiksa, std::to_string(counts.examined));
  std::optional<std::int16_t> p = PercentComplete(counts.counted, counts.examined);
  if (p && *p <= 100) ShowPercent(*p);
}

void Antivirus::Detected(const Detection& detection) {
  found_.Add(detection);
  guard_.StopProcessOf(detection.path);  // before the count goes up, as the user will read it
  SetText(lblJumlahVirus, std::to_string(found_.size()));
}

void Antivirus::ShowPercent(int percent) {
  SetProgress(percent);
  SetText(lblPercentComplete, std::to_string(percent) + " % Complete...");
}

void Antivirus::WriteLog(const std::string& message) {
  ModLog(services_.files, services_.clock, services_.programFolder()).WriteLog(message);
}

void Antivirus::tindakan(const std::string& aksi) {
  const bool hapus = aksi == "hapus";
  const std::size_t n = found_.size();
  if (n == 0) {
    ShowStatus(hapus ? "Tak ada virus yang dihapus..." : "Tak ada virus yang dikarantina...");
    return;
  }
  RemedyBatch batch;
  for (const Detection& d : found_.All()) batch.Add(d, hapus ? RemedyBatch::HapusAction(d) : RemedyAction::Quarantine);
  std::size_t left = n;
  batch.Apply(remedy_, quarantine_, services_.files, [&](std::size_t k) {
    // From the last row up, so removing a row never renumbers one still to come.
    const std::size_t r = n - k + 1;
    const RemedyBatch::Row& row = batch.Rows()[r - 1];
    // A file already gone leaves nothing to act on, and a row kept for it
    // could never leave the list; it is not counted as done.
    if (row.outcome.Done()) {
      RemoveRow(r);
      --left;
    }
    if (hapus && row.outcome.kind == RemedyOutcome::Kind::Quarantined)
      WriteLog("karantina tebakan " + sys::Utf8ToAnsi(row.found.path));
    ShowPercent(PercentComplete(n, k - 1).value_or(0));
  });
  guard_.ListProcesses();
  ShowPercent(100);

  SetText(lblFileDiperiksa, "0");
  SetText(lblJumlahVirus, std::to_string(left));
  const std::size_t moved = batch.Count(RemedyOutcome::Kind::Quarantined);
  const std::string deleted = std::to_string(batch.Count(RemedyOutcome::Kind::Deleted));
  if (!hapus) {
    ShowStatus(std::to_string(moved) + " virus telah dipindahkan ke folder 'C:\\Karantina\\' ...");
  } else if (!batch.Moves()) {
    ShowStatus(deleted + " virus telah dihapus...");
  } else {
    ShowStatus(deleted + " virus telah dihapus, " + std::to_string(moved) +
               " tebakan dipindahkan ke folder 'C:\\Karantina\\'.");
  }
}

void Antivirus::cmdHapus_Click() {
  WriteLog("hapus virus");
  tindakan("hapus");
}

void Antivirus::cmdKarantina_Click() {
  WriteLog("karantina");
  tindakan("karantina");
}

void Antivirus::Timer1_Timer() {
  if (!Timers().Running(Timer1)) return;
  SetText(Label1, clock_.Tick());
}

void Antivirus::Timer2_Timer() {
  if (!Timers().Running(Timer2)) return;
  if (std::optional<std::string> text = animation_.Tick()) SetText(status, *text);
}

}  // namespace tarvex
