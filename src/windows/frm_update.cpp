#include "windows/frm_update.h"

#include "base/web_addresses.h"
#include "ui/required_services.h"

namespace tarvex {

namespace {

int ToTwips(int pixels) { return pixels * ui::kTwipsPerPixel; }

}  // namespace

frmUpdate::frmUpdate(UpdateReminderServices services)
    : WindowState(kUpdateReminderWindow, kControls,
                  {{tmrFadeIn, kTickMs}, {tmrUpdate, kTickMs}, {tmrFadeOut, kTickMs}}),
      services_(std::move(services)) {
  ui::RequireServices("UpdateReminderServices", {{bool(services_.workArea), "workArea"},
                                                 {bool(services_.writeLog), "writeLog"},
                                                 {bool(services_.showDownloadWindow), "showDownloadWindow"}});
}

void frmUpdate::Form_Load() {
  Frame()->SetTitle(kUpdateReminderTitle);
  workAreaBottom_ = ToTwips(services_.workArea().bottom());
  // A fresh frame: its place comes from the window again, not from the last showing.
  placedPixels_ = {};
  const ui::Box frame = Frame()->FrameBox();
  chromeWidth_ = ToTwips(frame.width - Window().clientWidth);
  chromeHeight_ = ToTwips(frame.height - Window().clientHeight);
  Timers().Start(tmrFadeIn);
  Controls().SetText(lblvalue0, "Update database virus disini");
  Controls().SetText(lblvalue2, "Pengingat Update!");
  Controls().SetText(lblvalue1, std::string("Update database virus terbaru di ") + config::kDatabaseSite);
}

void frmUpdate::Click(int id) {
  if (id != cmdUpdate) return;
  // Each step on its own: a lost log line must not keep the window shut.
  try {
    services_.writeLog("frmCheckUpdate");
  } catch (...) {
  }
  try {
    services_.showDownloadWindow();
  } catch (...) {
  }
}

void frmUpdate::GotFocus(int id) {
  if (id == cmdCancel) Unload();
}

void frmUpdate::Timer(int id) {
  if (!Frame()) return;
  switch (id) {
    case tmrFadeIn: SlideInTick(); break;
    case tmrUpdate: HoldTick(); break;
    case tmrFadeOut: SlideOutTick(); break;
    default: break;
  }
}

frmUpdate::TwipsBox frmUpdate::FrameTwips() const {
  if (!Frame()) return {};
  ui::Box now = Frame()->FrameBox();
  if (now == placedPixels_) return placed_;
  return {ToTwips(now.left), ToTwips(now.top), ToTwips(now.width), ToTwips(now.height)};
}

void frmUpdate::MoveTo(int left, int top) {
  const ui::Box& label = Controls().Bounds(lblvalue3);
  // The layout's size measured as the whole frame would cut off the
  // buttons' lower part under the caption bar: it is the client area's.
  placed_ = {left, top, ToTwips(label.right()) + 100 + chromeWidth_,
             ToTwips(Controls().Bounds(cmdCancel).top) + 470 + chromeHeight_};
  placedPixels_ = {ui::Px(placed_.left), ui::Px(placed_.top), ui::Px(placed_.width), ui::Px(placed_.height)};
  Frame()->SetFrameBox(placedPixels_);
}

void frmUpdate::SlideInTick() {
  TwipsBox now = FrameTwips();
  // Compared in single precision, as the cycle has always been.
  if (static_cast<float>(now.top) >= static_cast<float>(workAreaBottom_) - static_cast<float>(now.height)) {
    MoveTo(now.left, now.top - kStepTwips);
  } else {
    Timers().Start(tmrUpdate);
    Timers().Stop(tmrFadeIn);
  }
}

void frmUpdate::HoldTick() {
  // The hold timer runs on through the slide-out; by then it changes nothing.
  if (holdCount_ < kHoldLimit) {
    ++holdCount_;
  } else {
    Timers().Start(tmrFadeOut);
  }
}

void frmUpdate::SlideOutTick() {
  TwipsBox now = FrameTwips();
  if (now.top > workAreaBottom_) {
    Unload();
  } else {
    MoveTo(now.left, now.top + kStepTwips);
  }
}

}  // namespace tarvex
