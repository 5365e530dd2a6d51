#pragma once
// The database download window "Update DataBase": when it loads it hands the
// download address to the shell, checks Tarvex.db, puts a downloaded database
// in its place, and ends in a 30-second automatic close or in an error line.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "system/replacement_files.h"
#include "system/user_services.h"
#include "ui/window_state.h"

namespace tarvex {

inline constexpr ui::WindowSpec kCheckUpdateWindow{
    .className = "TarvexCheckUpdate",
    .title = "Update DataBase",
    .clientWidth = ui::Px(8085),
    .clientHeight = ui::Px(2445),
    .back = ui::Rgb(0, 0, 128),
    .fore = ui::Rgb(0, 255, 0),
    .font = {"MS Sans Serif", 825},
    .frame = ui::Frame::SizableTool,
    .centred = false,
};

inline constexpr ui::ControlSpec kCheckUpdateControls[] = {
    {.kind = ui::Kind::Label, .id = 1, .name = "Label2", .box = ui::Twips(120, 240, 1575, 735),
     .font = {"MS Sans Serif", 1800, true}, .text = "TARVEX", .flags = ui::kTransparent},
    {.kind = ui::Kind::Label, .id = 2, .name = "lblstatus", .box = ui::Twips(2160, 480, 3975, 495),
     .flags = ui::kTransparent},
    {.kind = ui::Kind::Picture, .id = 3, .name = "Image1", .box = ui::Twips(7320, 480, 480, 480)},
    {.kind = ui::Kind::Line, .id = 4, .name = "Line1", .box = {ui::Px(960), ui::Px(1080), ui::Px(7440 - 960), 1},
     .fore = ui::Rgb(255, 0, 0)},
    {.kind = ui::Kind::Label, .id = 5, .name = "lblAuto", .box = ui::Twips(1080, 1320, 3375, 375),
     .flags = ui::kTransparent},
    {.kind = ui::Kind::Button, .id = 6, .name = "cmdClose", .box = ui::Twips(6000, 1440, 1815, 375),
     .font = {"MS Sans Serif", 825}, .text = "Keluar", .fore = ui::kWindowFrameColour, .hover = ui::Rgb(0, 0, 0),
     .flags = ui::kTabStop},
    // Its text is the text of panel 1.
    {.kind = ui::Kind::StatusBar, .id = 7, .name = "sbStatus", .box = ui::Twips(0, 1950, 8085, 495)},
};

struct CheckUpdateServices {
  sys::ShellOpenService shellOpen;
  std::function<std::string()> databasePath;  // Tarvex.db in the program folder
  std::function<std::optional<std::string>()> downloadsFolder;
  sys::ReplacementFiles& files;
};

class frmCheckUpdate : public ui::WindowState {
 public:
  static constexpr ui::ControlTable kControls{kCheckUpdateControls};
  static constexpr int Label2 = kControls.IdOf("Label2");
  static constexpr int lblstatus = kControls.IdOf("lblstatus");
  static constexpr int Image1 = kControls.IdOf("Image1");
  static constexpr int lblAuto = kControls.IdOf("lblAuto");
  static constexpr int cmdClose = kControls.IdOf("cmdClose");
  static constexpr int sbStatus = kControls.IdOf("sbStatus");
  static constexpr int tmrAuto = 1;

  explicit frmCheckUpdate(CheckUpdateServices services);

  // The only writer of the status line.
  void DownStatus(const std::string& strStatus);

  void Form_Load() override;
  void Click(int id) override;
  void Timer(int id) override;

  std::uint8_t AutoCloseCount() const { return autoCloseCount_; }

 private:
  bool RunSequence();
  void SuccessEnding();
  void FailureEnding();
  void SetPanel(const std::string& text) { Controls().SetText(sbStatus, text); }
  void SetBusy(bool busy);

  CheckUpdateServices services_;
  static constexpr std::uint8_t kAutoCloseLimit = 30;
  // Kept for the run: a later showing goes on from here.
  std::uint8_t autoCloseCount_ = 0;
};

}  // namespace tarvex
