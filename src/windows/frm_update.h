#pragma once
// The update reminder "Pengingat Update": a small window that rises until its
// lower edge is above the bottom of the desktop work area, holds for a number
// of ticks and then sinks below it and closes. "Update Sekarang" opens the
// download window; the focus reaching "Tidak" closes the reminder at once.
#include <cstdint>
#include <functional>
#include <string>

#include "base/app_title.h"
#include "system/user_services.h"
#include "ui/window_state.h"

namespace tarvex {

inline constexpr ui::WindowSpec kUpdateReminderWindow{
    .className = "TarvexUpdateReminder",
    .title = kUpdateReminderTitle,
    .clientWidth = ui::Px(5505),
    .clientHeight = ui::Px(2430),
    .back = ui::Rgb(0, 0, 128),
    .fore = ui::Rgb(0, 255, 0),
    .font = {"MS Sans Serif", 825},
    .frame = ui::Frame::FixedTool,
    .centred = false,
};

// lblvalue(0) to lblvalue(3) are one label array. In z-order, top first: the
// line runs along the lower edge of lblvalue(0) and must not be painted over.
inline constexpr ui::ControlSpec kUpdateReminderControls[] = {
    {.kind = ui::Kind::Line, .id = 5, .name = "Line1", .box = {ui::Px(600), ui::Px(960), ui::Px(5160 - 600), 1},
     .fore = ui::Rgb(0, 255, 0)},
    {.kind = ui::Kind::Label, .id = 4, .name = "lblvalue(3)", .box = ui::Twips(480, 0, 4815, 255),
     .flags = ui::kTransparent},
    {.kind = ui::Kind::Label, .id = 1, .name = "lblvalue(0)", .box = ui::Twips(600, 360, 4455, 615),
     .flags = ui::kTransparent},
    {.kind = ui::Kind::Label, .id = 3, .name = "lblvalue(2)", .box = ui::Twips(600, 1080, 3255, 375),
     .flags = ui::kTransparent},
    {.kind = ui::Kind::Label, .id = 2, .name = "lblvalue(1)", .box = ui::Twips(960, 1560, 4455, 255),
     .back = ui::Rgb(0, 0, 192)},
    {.kind = ui::Kind::Button, .id = 6, .name = "cmdUpdate", .box = ui::Twips(1800, 1920, 1695, 375),
     .font = {"MS Sans Serif", 825}, .text = "Update Sekarang", .fore = ui::kButtonTextColour, .flags = ui::kTabStop},
    {.kind = ui::Kind::Button, .id = 7, .name = "cmdCancel", .box = ui::Twips(3600, 1920, 1815, 375),
     .font = {"MS Sans Serif", 825}, .text = "Tidak", .fore = ui::kButtonTextColour, .flags = ui::kTabStop},
};

struct UpdateReminderServices {
  sys::WorkAreaService workArea;
  std::function<void(const std::string&)> writeLog;
  // Loads and shows the download window, or only brings it forward when it
  // is open already.
  std::function<void()> showDownloadWindow;
};

class frmUpdate : public ui::WindowState {
 public:
  static constexpr ui::ControlTable kControls{kUpdateReminderControls};
  static constexpr int lblvalue0 = kControls.IdOf("lblvalue(0)");
  static constexpr int lblvalue1 = kControls.IdOf("lblvalue(1)");
  static constexpr int lblvalue2 = kControls.IdOf("lblvalue(2)");
  static constexpr int lblvalue3 = kControls.IdOf("lblvalue(3)");
  static constexpr int cmdUpdate = kControls.IdOf("cmdUpdate");
  static constexpr int cmdCancel = kControls.IdOf("cmdCancel");
  static constexpr int tmrFadeIn = 1;
  static constexpr int tmrUpdate = 2;
  static constexpr int tmrFadeOut = 3;
  // One interval for all three timers.
  static constexpr unsigned kTickMs = 50;
  // How far one slide tick moves the window.
  static constexpr int kStepTwips = 25;

  explicit frmUpdate(UpdateReminderServices services);

  void Form_Load() override;
  void Click(int id) override;
  void Timer(int id) override;
  void GotFocus(int id) override;

  std::int32_t WorkAreaBottom() const { return workAreaBottom_; }
  std::uint8_t HoldCount() const { return holdCount_; }

  // The outer frame in twips, as the slide reads and sets it.
  struct TwipsBox {
    int left, top, width, height;
    friend bool operator==(const TwipsBox&, const TwipsBox&) = default;
  };
  TwipsBox FrameTwips() const;

 private:
  void SlideInTick();
  void HoldTick();
  void SlideOutTick();
  // Moves the frame to `top`, resized so that its client area has the
  // layout's own size.
  void MoveTo(int left, int top);

  UpdateReminderServices services_;
  std::int32_t workAreaBottom_ = 0;
  static constexpr std::uint8_t kHoldLimit = 15;
  // Kept for the run: after one full hold, later showings sink at once.
  std::uint8_t holdCount_ = 0;
  // Where the slide last put the frame, in twips: a pixel frame cannot hold
  // a 25-twip step, so the position is carried on from here while the frame
  // stays where it was put.
  TwipsBox placed_{};
  ui::Box placedPixels_{};
  // Caption and borders in twips (width, height), taken when the window
  // loads: the slide's size is the size of the client area.
  int chromeWidth_ = 0;
  int chromeHeight_ = 0;
};

}  // namespace tarvex
