#pragma once
// frmExtTool, "Tarvex External Tool": one link that starts FileRecover.bat
// beside the program, which brings back files a virus has hidden.
#include <array>
#include <functional>
#include <string>

#include "base/app_title.h"
#include "system/user_services.h"
#include "ui/window_state.h"

namespace tarvex {

struct ExtToolServices {
  std::function<void(const std::string& message)> writeLog;
  std::function<std::string()> programFolder;
  // The lookup by name that counts a hidden or system file as missing.
  std::function<bool(const std::string& path)> visibleFileExists;
  sys::ShellOpenService shellOpen;
  sys::MessageBoxService messageBox;
};

// The link's own cursor: a pointing hand, 32 x 32, drawn as rows of '#'
// (black), 'o' (white) and '.' (transparent); the fingertip is the hot spot.
struct CursorImage {
  int hotX;
  int hotY;
  std::array<const char*, 32> rows;
};
extern const CursorImage kHandCursor;

inline constexpr ui::WindowSpec kExtToolWindow = {
    .className = "TarvexExtTool",
    .title = kExternalToolTitle,
    .clientWidth = ui::Px(3585),
    .clientHeight = ui::Px(1410),
    .font = {"Tahoma", 825},
    .frame = ui::Frame::FixedTool,
    .programIcon = false,
};

inline constexpr ui::ControlSpec kExtToolControls[] = {
    {.kind = ui::Kind::Link, .id = 1, .name = "Label1", .box = ui::Twips(240, 360, 3255, 255),
     .font = {"Tahoma", 825, false, true}, .text = "[Tampilkan Data Yang Disembunyikan Virus]",
     .tooltip = "Klik Disini Untuk Menampilkan Data Yang Disembunyikan Oleh Virus", .fore = ui::Rgb(0, 0, 255),
     .flags = ui::kTabStop},
    {.kind = ui::Kind::Button, .id = 2, .name = "cmdTutup", .box = ui::Twips(2280, 840, 1095, 375), .text = "Tutup",
     .flags = ui::kTabStop},
};

class frmExtTool : public ui::WindowState {
 public:
  static constexpr ui::ControlTable kControls{kExtToolControls};
  static constexpr int Label1 = kControls.IdOf("Label1");
  static constexpr int cmdTutup = kControls.IdOf("cmdTutup");

  explicit frmExtTool(ExtToolServices services);

  void Click(int id) override;
  void Label1_Click();

 private:
  ExtToolServices services_;
};

}  // namespace tarvex
