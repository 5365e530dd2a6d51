#pragma once
// The update reminder "Pengingat Update": a small window that rises until its
// lower edge is above the bottom of the desktop work area, holds for a number
// of ticks and then sinks below it and closes. "Update Sekarang" opens the
// download window; the focus reaching "Tidak" closes the reminder at once.
#include <cstdint>
#include <functional>
#include <string>

#include "system/user_services.h"
#include "ui/window_state.h"

namespace tarvex {

struct UpdateReminderServices {
  sys::WorkAreaService workArea;
  std::function<void(const std::string&)> writeLog;
  // Loads and shows the download window, or only brings it forward when it
  // is open already.
  std::function<void()> showDownloadWindow;
};

class frmUpdate : public ui::WindowState {
 public:
  // lblvalue(0) to lblvalue(3) are one label array.
  enum Id : int { lblvalue0 = 1, lblvalue1, lblvalue2, lblvalue3, Line1, cmdUpdate, cmdCancel };
  enum TimerId : int { tmrFadeIn = 1, tmrUpdate, tmrFadeOut };
  // One interval for all three timers.
  static constexpr unsigned kTickMs = 50;
  // How far one slide tick moves the window.
  static constexpr int kStepTwips = 25;

  explicit frmUpdate(UpdateReminderServices services);

  void Form_Load() override;
  void Form_Unload() override;
  void Click(int id) override;
  void Timer(int id) override;
  void GotFocus(int id) override;

  std::int32_t WorkAreaBottom() const { return workAreaBottom_; }
  std::uint8_t HoldLimit() const { return holdLimit_; }
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
  // Moves the frame to `top`, resized to the layout's own size.
  void MoveTo(int left, int top);

  UpdateReminderServices services_;
  std::int32_t workAreaBottom_ = 0;
  std::uint8_t holdLimit_ = 15;
  // Kept for the run: after one full hold, later showings sink at once.
  std::uint8_t holdCount_ = 0;
  // Where the slide last put the frame, in twips: a pixel frame cannot hold
  // a 25-twip step, so the position is carried on from here while the frame
  // stays where it was put.
  TwipsBox placed_{};
  ui::Box placedPixels_{};
};

}  // namespace tarvex
