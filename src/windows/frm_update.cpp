#include "windows/frm_update.h"

#include "app/configuration.h"

namespace tarvex {

namespace {

using namespace ui;
using Id = frmUpdate::Id;

constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Font kSansSerif{"MS Sans Serif", 825};

constexpr WindowSpec kWindow{
    .className = "TarvexUpdateReminder",
    .title = "Pengingat Update",
    .clientWidth = Px(5505),
    .clientHeight = Px(2430),
    .back = Rgb(0, 0, 128),
    .fore = kGreen,
    .font = kSansSerif,
    .frame = Frame::FixedTool,
    .centred = false,
};

constexpr ControlSpec kControls[] = {
    {.kind = Kind::Label, .id = Id::lblvalue3, .name = "lblvalue(3)", .box = Twips(480, 0, 4815, 255),
     .flags = kTransparent},
    {.kind = Kind::Label, .id = Id::lblvalue0, .name = "lblvalue(0)", .box = Twips(600, 360, 4455, 615),
     .flags = kTransparent},
    {.kind = Kind::Line, .id = Id::Line1, .name = "Line1", .box = {Px(600), Px(960), Px(5160) - Px(600), 1},
     .fore = kGreen},
    {.kind = Kind::Label, .id = Id::lblvalue2, .name = "lblvalue(2)", .box = Twips(600, 1080, 3255, 375),
     .flags = kTransparent},
    {.kind = Kind::Label, .id = Id::lblvalue1, .name = "lblvalue(1)", .box = Twips(960, 1560, 4455, 255),
     .back = Rgb(0, 0, 192)},
    {.kind = Kind::Button, .id = Id::cmdUpdate, .name = "cmdUpdate", .box = Twips(1800, 1920, 1695, 375),
     .font = kSansSerif, .text = "Update Sekarang", .fore = kButtonTextColour, .flags = kTabStop},
    {.kind = Kind::Button, .id = Id::cmdCancel, .name = "cmdCancel", .box = Twips(3600, 1920, 1815, 375),
     .font = kSansSerif, .text = "Tidak", .fore = kButtonTextColour, .flags = kTabStop},
};

int ToTwips(int pixels) { return pixels * kTwipsPerPixel; }

}  // namespace

frmUpdate::frmUpdate(UpdateReminderServices services)
    : WindowState(kWindow, kControls, {{tmrFadeIn, kTickMs}, {tmrUpdate, kTickMs}, {tmrFadeOut, kTickMs}}),
      services_(std::move(services)) {}

void frmUpdate::Form_Load() {
  if (Frame()) Frame()->SetTitle("Pengingat Update");
  workAreaBottom_ = ToTwips(services_.workArea().bottom());
  Timers().Start(tmrFadeIn);
  holdLimit_ = 15;
  Controls().SetText(lblvalue0, "Update database virus disini");
  Controls().SetText(lblvalue2, "Pengingat Update!");
  Controls().SetText(lblvalue1, std::string("Update database virus terbaru di ") + config::kDatabaseSite);
}

void frmUpdate::Form_Unload() {
  // The cycle belongs to one showing; the next one starts with the slide-in.
  Timers().Stop(tmrFadeIn);
  Timers().Stop(tmrUpdate);
  Timers().Stop(tmrFadeOut);
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
  Box now = Frame()->FrameBox();
  if (now == placedPixels_) return placed_;
  return {ToTwips(now.left), ToTwips(now.top), ToTwips(now.width), ToTwips(now.height)};
}

void frmUpdate::MoveTo(int left, int top) {
  const Box& label = Controls().Bounds(lblvalue3);
  placed_ = {left, top, ToTwips(label.right()) + 100, ToTwips(Controls().Bounds(cmdCancel).top) + 470};
  placedPixels_ = {Px(placed_.left), Px(placed_.top), Px(placed_.width), Px(placed_.height)};
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
  if (holdCount_ < holdLimit_) {
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
