#include "windows/frm_check_update.h"

#include "base/web_addresses.h"
#include "ui/required_services.h"
#include "windows/database_replacement.h"

namespace tarvex {

frmCheckUpdate::frmCheckUpdate(CheckUpdateServices services)
    : WindowState(kCheckUpdateWindow, kControls, {{tmrAuto, 1000}}), services_(std::move(services)) {
  ui::RequireServices("CheckUpdateServices", {{bool(services_.shellOpen), "shellOpen"},
                                              {bool(services_.databasePath), "databasePath"},
                                              {bool(services_.downloadsFolder), "downloadsFolder"}});
}

void frmCheckUpdate::DownStatus(const std::string& strStatus) { Controls().SetText(lblstatus, strStatus); }

void frmCheckUpdate::SetBusy(bool busy) {
  if (Frame()) Frame()->SetBusyCursor(busy);
}

void frmCheckUpdate::Form_Load() {
  DownStatus("Menge-cek Koneksi Internet...");
  SetPanel("Harap tunggu...");
  bool ok = false;
  try {
    ok = RunSequence();
  } catch (...) {
    // Whatever fails from here on ends the sequence in the error state.
  }
  if (ok) {
    SuccessEnding();
  } else {
    FailureEnding();
  }
}

bool frmCheckUpdate::RunSequence() {
  SetBusy(true);
  Controls().SetText(cmdClose, "Batal");
  if (Frame()) Frame()->DoEvents();
  DownStatus("Starting Download file...");
  services_.shellOpen(config::kDatabaseDownloadAddress);
  const std::string database = services_.databasePath();
  std::optional<std::int64_t> length = services_.files.Length(database);
  if (!length) return false;
  if (*length == 0) return true;
  DownStatus("Download Selesai.");
  SetPanel("Selesai.");
  return ReplaceDatabase(services_.files, database, services_.downloadsFolder()) != Replacement::Failed;
}

void frmCheckUpdate::SuccessEnding() {
  Controls().SetText(cmdClose, "Keluar");
  Timers().Start(tmrAuto);
  SetBusy(false);
}

void frmCheckUpdate::FailureEnding() {
  Controls().SetText(cmdClose, "Keluar");
  Timers().Stop(tmrAuto);
  Controls().SetEnabled(cmdClose, true);
  SetBusy(false);
  DownStatus("Maaf,proses gagal. Ada Error");
}

void frmCheckUpdate::Click(int id) {
  if (id != cmdClose) return;
  const std::string caption = Controls().Text(cmdClose);
  if (caption == "Batal") {
    Timers().Start(tmrAuto);
    Controls().SetText(cmdClose, "Keluar");
    DownStatus("Menutup sesi Update.");
    SetPanel("Selesai.");
    SetBusy(false);
  } else if (caption == "Keluar") {
    SetBusy(false);
    Timers().Stop(tmrAuto);
    Unload();
  }
}

void frmCheckUpdate::Timer(int id) {
  if (id != tmrAuto) return;
  if (autoCloseCount_ < kAutoCloseLimit) {
    ++autoCloseCount_;
    Controls().SetText(lblAuto, "Otomatis keluar dalam " + std::to_string(kAutoCloseLimit - autoCloseCount_) +
                                    " Detik.");
  } else {
    Unload();
  }
}

}  // namespace tarvex
