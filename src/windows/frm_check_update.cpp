#include "windows/frm_check_update.h"

#include "app/configuration.h"
#include "windows/database_replacement.h"

namespace tarvex {

namespace {

using namespace ui;
using Id = frmCheckUpdate::Id;

constexpr Colour kNavy = Rgb(0, 0, 128);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Font kSansSerif{"MS Sans Serif", 825};

constexpr WindowSpec kWindow{
    .className = "TarvexCheckUpdate",
    .title = "Update DataBase",
    .clientWidth = Px(8085),
    .clientHeight = Px(2445),
    .back = kNavy,
    .fore = kGreen,
    .font = kSansSerif,
    .frame = Frame::SizableTool,
    .centred = false,
};

constexpr ControlSpec kControls[] = {
    {.kind = Kind::Label, .id = Id::Label2, .name = "Label2", .box = Twips(120, 240, 1575, 735),
     .font = {"MS Sans Serif", 1800, true}, .text = "TARVEX", .flags = kTransparent},
    {.kind = Kind::Label, .id = Id::lblstatus, .name = "lblstatus", .box = Twips(2160, 480, 3975, 495),
     .flags = kTransparent},
    {.kind = Kind::Picture, .id = Id::Image1, .name = "Image1", .box = Twips(7320, 480, 480, 480)},
    {.kind = Kind::Line, .id = Id::Line1, .name = "Line1", .box = {Px(960), Px(1080), Px(7440) - Px(960), 1},
     .fore = Rgb(255, 0, 0)},
    {.kind = Kind::Label, .id = Id::lblAuto, .name = "lblAuto", .box = Twips(1080, 1320, 3375, 375),
     .flags = kTransparent},
    {.kind = Kind::Button, .id = Id::cmdClose, .name = "cmdClose", .box = Twips(6000, 1440, 1815, 375),
     .font = kSansSerif, .text = "Keluar", .fore = kWindowFrameColour, .hover = Rgb(0, 0, 0), .flags = kTabStop},
    {.kind = Kind::StatusBar, .id = Id::sbStatus, .name = "sbStatus", .box = Twips(0, 1950, 8085, 495)},
};

}  // namespace

frmCheckUpdate::frmCheckUpdate(CheckUpdateServices services)
    : WindowState(kWindow, kControls, {{tmrAuto, 1000}}), services_(std::move(services)) {}

void frmCheckUpdate::DownStatus(const std::string& strStatus) { Controls().SetText(lblstatus, strStatus); }

void frmCheckUpdate::SetBusy(bool busy) {
  if (Frame()) Frame()->SetBusyCursor(busy);
}

void frmCheckUpdate::Form_Load() {
  DownStatus("Menge-cek Koneksi Internet...");
  SetPanel("Harap tunggu...");
  autoCloseLimit_ = 30;
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
  std::optional<std::int64_t> length = services_.files->Length(database);
  if (!length) return false;
  if (*length == 0) return true;
  DownStatus("Download Selesai.");
  SetPanel("Selesai.");
  return ReplaceDatabase(*services_.files, database, services_.downloadsFolder()) != Replacement::Failed;
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

void frmCheckUpdate::Form_Unload() {
  // The countdown belongs to this showing; closed by its close box, the
  // window must not count on unseen.
  Timers().Stop(tmrAuto);
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
  if (autoCloseCount_ < autoCloseLimit_) {
    ++autoCloseCount_;
    Controls().SetText(lblAuto, "Otomatis keluar dalam " + std::to_string(autoCloseLimit_ - autoCloseCount_) +
                                    " Detik.");
  } else {
    Unload();
  }
}

}  // namespace tarvex
