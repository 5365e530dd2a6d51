#include "windows/frm_karantina.h"

#include <stdexcept>

#include "ui/required_services.h"

namespace tarvex {

namespace {

constexpr const char* kUnknownOrigin = "(asal tidak diketahui)";

const KarantinaServices& Checked(const KarantinaServices& s) {
  ui::RequireServices("KarantinaServices", {{bool(s.messageBox), "messageBox"},
                                            {bool(s.browseFolder), "browseFolder"},
                                            {bool(s.writeLog), "writeLog"}});
  if (s.quarantineFolder.empty()) throw std::invalid_argument("KarantinaServices: quarantineFolder missing");
  return s;
}

// "N file dipulihkan." and the like, with the failures when there were any;
// appended piece by piece, which the 32-bit compiler does not warn about falsely.
std::string Summary(std::size_t done, const char* what, std::size_t failed) {
  std::string text = std::to_string(done);
  text.append(" file ").append(what).append(".");
  if (failed) text.append(" ").append(std::to_string(failed)).append(" file gagal.");
  return text;
}

}  // namespace

frmKarantina::frmKarantina(KarantinaServices services)
    : ui::WindowState(kKarantinaWindow, kKarantinaControls),
      services_(Checked(services)),
      quarantine_(services_.quarantineFolder, services_.files, services_.clock),
      entries_(Controls(), lvKarantina, [this](const QuarantineEntry& e, std::size_t column) {
        const std::string folder = quarantine_.FolderPart(e.original);
        switch (column) {
          case 0: return e.KnownOrigin() ? e.original.substr(folder.size()) : e.name;
          case 1: return e.virus;
          case 2: return e.KnownOrigin() ? folder : std::string(kUnknownOrigin);
          case 3: return e.time;
          default: return std::string();
        }
      }) {}

void frmKarantina::Form_Load() {
  ShowEntries();
  // A manifest that is no ordinary file, or too large, leaves every file of unknown origin.
  Controls().SetText(lblStatus, std::to_string(entries_.size()) + " file di karantina." +
                                    (quarantine_.Problem().empty() ? "" : " Daftar karantina.txt tidak terbaca."));
}

void frmKarantina::Click(int id) {
  if (id == cmdPulihkan) Pulihkan();
  if (id == cmdHapus) Hapus();
  if (id == cmdTutup) Unload();
}

void frmKarantina::ShowEntries() { entries_.Assign(quarantine_.List()); }

std::vector<QuarantineEntry> frmKarantina::Selected() const {
  std::vector<QuarantineEntry> picked;
  if (!Frame()) return picked;
  for (std::size_t row : Frame()->SelectedRows(lvKarantina)) {
    if (row < entries_.size()) picked.push_back(entries_[row]);
  }
  return picked;
}

void frmKarantina::Pulihkan() {
  const std::vector<QuarantineEntry> picked = Selected();
  if (picked.empty()) {
    Controls().SetText(lblStatus, "Pilih file yang akan dipulihkan.");
    return;
  }
  services_.writeLog("pulihkan");
  std::size_t done = 0, failed = 0;
  for (const QuarantineEntry& e : picked) {
    std::optional<std::string> into;
    // A file no manifest line names goes where the user says; no answer, it stays.
    if (!e.KnownOrigin() && !(into = services_.browseFolder())) continue;
    quarantine_.Restore(e, into.value_or("")).Done() ? ++done : ++failed;
  }
  ShowEntries();
  Controls().SetText(lblStatus, Summary(done, "dipulihkan", failed));
}

void frmKarantina::Hapus() {
  const std::vector<QuarantineEntry> picked = Selected();
  if (picked.empty()) {
    Controls().SetText(lblStatus, "Pilih file yang akan dihapus.");
    return;
  }
  const int answer =
      services_.messageBox("Hapus " + std::to_string(picked.size()) + " file dari karantina untuk selamanya?",
                           sys::kMbYesNo | sys::kMbIconQuestion, kKarantinaWindow.title);
  if (answer != sys::kIdYes) return;
  services_.writeLog("hapus karantina");
  std::size_t done = 0;
  for (const QuarantineEntry& e : picked) done += quarantine_.Delete(e).Done();
  ShowEntries();
  Controls().SetText(lblStatus, Summary(done, "dihapus dari karantina", picked.size() - done));
}

}  // namespace tarvex
