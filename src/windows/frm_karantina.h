#pragma once
// frmKarantina, "Tarvex Karantina": the files in the quarantine folder with
// their virus, original folder and date; Pulihkan puts the selected ones back
// where they came from, Hapus deletes them for good after a question.
#include <functional>
#include <string>
#include <vector>

#include "remedy/quarantine.h"
#include "system/clock.h"
#include "system/file_system.h"
#include "system/user_services.h"
#include "ui/list_rows.h"
#include "ui/window_state.h"

namespace tarvex {

struct KarantinaServices {
  sys::FileSystem& files;
  const sys::Clock& clock;
  std::string quarantineFolder;  // ending in its separator
  sys::MessageBoxService messageBox;
  // Where a file of unknown origin goes back to.
  sys::FolderBrowserService browseFolder;
  std::function<void(const std::string& message)> writeLog;
};

// The look of the other menu windows (frmTempDb's): navy, green text, XP
// buttons with black captions.
inline constexpr ui::WindowSpec kKarantinaWindow = {
    .className = "TarvexKarantina",
    .title = "Tarvex Karantina",
    .clientWidth = 560,
    .clientHeight = 300,
    .back = ui::Rgb(0, 0, 128),
    .fore = ui::Rgb(0, 255, 0),
    .font = {"Tahoma", 825},
    .frame = ui::Frame::FixedSingle,
};

inline constexpr ui::Column kKarantinaColumns[] = {
    {"Nama File", 128}, {"Nama Virus", 108}, {"Folder Asal", 190}, {"Tanggal", 110},
};

inline constexpr ui::ControlSpec kKarantinaControls[] = {
    {.kind = ui::Kind::ListView, .id = 1, .name = "lvKarantina", .box = {8, 8, 544, 220}, .flags = ui::kTabStop,
     .columns = kKarantinaColumns},
    {.kind = ui::Kind::Label, .id = 2, .name = "lblStatus", .box = {8, 236, 544, 16}},
    {.kind = ui::Kind::Button, .id = 3, .name = "cmdPulihkan", .box = {272, 262, 88, 28}, .text = "Pulihkan",
     .tooltip = "Kembalikan file yang dipilih ke folder asalnya.", .fore = ui::Rgb(0, 0, 0), .flags = ui::kTabStop},
    {.kind = ui::Kind::Button, .id = 4, .name = "cmdHapus", .box = {368, 262, 88, 28}, .text = "Hapus",
     .tooltip = "Hapus file yang dipilih untuk selamanya.", .fore = ui::Rgb(0, 0, 0), .flags = ui::kTabStop},
    {.kind = ui::Kind::Button, .id = 5, .name = "cmdTutup", .box = {464, 262, 88, 28}, .text = "Tutup",
     .fore = ui::Rgb(0, 0, 0), .flags = ui::kTabStop},
};

class frmKarantina : public ui::WindowState {
 public:
  static constexpr ui::ControlTable kControls{kKarantinaControls};
  static constexpr int lvKarantina = kControls.IdOf("lvKarantina");
  static constexpr int lblStatus = kControls.IdOf("lblStatus");
  static constexpr int cmdPulihkan = kControls.IdOf("cmdPulihkan");
  static constexpr int cmdHapus = kControls.IdOf("cmdHapus");
  static constexpr int cmdTutup = kControls.IdOf("cmdTutup");

  explicit frmKarantina(KarantinaServices services);

  void Form_Load() override;
  void Click(int id) override;

 private:
  // The list afresh from the folder and its manifest.
  void ShowEntries();
  std::vector<QuarantineEntry> Selected() const;
  void Pulihkan();
  void Hapus();

  KarantinaServices services_;
  Quarantine quarantine_;
  // The list's rows, in its order.
  ui::ListRows<QuarantineEntry> entries_;
};

}  // namespace tarvex
