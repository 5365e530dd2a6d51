#include "widgets/vev_xp_button.h"

#include <cctype>

namespace tarvex::widgets {

namespace {

constexpr char kEnabled[] = "Enabled";
constexpr char kFont[] = "Font";
constexpr char kCaption[] = "Caption";
constexpr char kForeColor[] = "ForeColor";
constexpr char kForeHover[] = "ForeHover";

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

char AccessKeyOf(std::string_view caption) {
  if (caption.size() <= 1) return '\0';
  std::size_t amp = caption.find('&');
  if (amp == std::string_view::npos || amp + 1 == caption.size()) return '\0';
  if (caption[amp + 1] != '&') return Lower(caption[amp + 1]);
  // A doubled "&" shows one "&"; only a single one after it gives a key.
  std::size_t next = caption.find('&', amp + 2);
  if (next == std::string_view::npos || next + 1 == caption.size()) return '\0';
  if (caption[next + 1] == '&') return '\0';
  return Lower(caption[next + 1]);
}

PropertyBag StoredProperties(std::string_view caption, const ui::Font& font, ui::Colour foreColor,
                             ui::Colour foreHover) {
  PropertyBag bag;
  bag.Write(kCaption, std::string(caption));
  if (font.face) bag.Write(kFont, FontSpec{font.face, font.hundredthsOfPoint, font.bold, font.underline});
  if (foreColor != ui::kDefaultColour) bag.Write(kForeColor, foreColor);
  if (foreHover != ui::kDefaultColour) bag.Write(kForeHover, foreHover);
  return bag;
}

void VEVXpButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  window_.EnableInput(enabled);
  Redraw(false);
}

void VEVXpButton::SetFont(const FontSpec& font) {
  font_ = font;
  Redraw(false);
}

void VEVXpButton::SetCaption(const std::string& caption) {
  caption_ = caption;
  Redraw(false);
  UpdateAccessKey();
}

void VEVXpButton::SetForeColor(ui::Colour colour) {
  foreColor_ = colour;
  Redraw(false);
}

void VEVXpButton::InitProperties(const Ambient& ambient) {
  enabled_ = true;
  font_ = ambient.font;
  caption_ = ambient.name;
  UpdateAccessKey();
}

void VEVXpButton::ReadProperties(const PropertyBag& bag, const Ambient& ambient) {
  enabled_ = bag.Read(kEnabled, true);
  font_ = bag.Read(kFont, ambient.font);
  caption_ = bag.Read(kCaption, ambient.name);
  foreColor_ = bag.Read(kForeColor, ambient.foreColor);
  foreHover_ = bag.Read(kForeHover, foreColor_);
  window_.EnableInput(enabled_);
  UpdateAccessKey();
}

void VEVXpButton::WriteProperties(PropertyBag& bag, const Ambient& ambient) const {
  if (!enabled_) bag.Write(kEnabled, enabled_);
  if (font_ != ambient.font) bag.Write(kFont, font_);
  if (caption_ != ambient.name) bag.Write(kCaption, caption_);
  bag.Write(kForeColor, foreColor_);
  if (foreHover_ != ambient.foreColor) bag.Write(kForeHover, foreHover_);
}

void VEVXpButton::Resize(int width, int height) {
  face_.Resize(width, height, background_);
  Redraw(false);
}

void VEVXpButton::Redraw(bool press) {
  lastLook_ = ChooseLook(State(), press);
  PaintLook(face_, lastLook_, background_);
  window_.ShowFace(face_);
  window_.DrawCaption(caption_, CaptionColour(State(), foreColor_, foreHover_), font_);
  window_.ApplyRegion(RegionCorners(face_.Width(), face_.Height()));
}

void VEVXpButton::MouseDown(const MouseArgs& args) {
  if (!enabled_) return;
  lastButton_ = args.button;
  window_.Refresh();
  if (args.button != kRightButton) Redraw(true);
  Raise(events_.MouseDown, args);
}

void VEVXpButton::MouseUp(const MouseArgs& args) {
  Redraw(false);
  window_.Refresh();
  Raise(events_.MouseUp, args);
}

void VEVXpButton::MouseClick() {
  if (lastButton_ != kLeftButton) return;
  Redraw(false);
  window_.Refresh();
  Raise(events_.Click);
}

void VEVXpButton::DoubleClick() {
  if (lastButton_ != kLeftButton) return;
  MouseDown({kLeftButton, 0, 0, 0});
  window_.CaptureMouse();
}

void VEVXpButton::MouseMove(const MouseArgs& args) {
  if (args.button == 0 || args.button == kLeftButton) {
    bool over = window_.IsCursorOver();
    if (!over) {
      if (inside_ == 0) return;
      Redraw(false);
    } else if (inside_ == 1) {
      return;
    } else {
      inside_ = 1;
      if (args.button == 0 && !hovering_) {
        timers_.Start(kHoverTimer);
        hovering_ = true;
        inside_ = 0;
        Redraw(false);
        Raise(events_.MouseOver);
      } else if (args.button == kLeftButton) {
        hovering_ = true;
        Redraw(true);
        hovering_ = false;
      }
    }
  }
  Raise(events_.MouseMove, args);
}

void VEVXpButton::HoverTick() {
  if (window_.IsCursorOver()) return;
  timers_.Stop(kHoverTimer);
  hovering_ = false;
  inside_ = 0;
  Redraw(false);
  Raise(events_.MouseOut);
}

void VEVXpButton::KeyDown(int keyCode, int shift) {
  lastKeyCode_ = keyCode;
  switch (keyCode) {
    case kKeySpace:
    case kKeyEnter:
      Redraw(true);
      break;
    case kKeyLeft:
    case kKeyRight:
      window_.MoveFocus(false);
      break;
    case kKeyUp:
    case kKeyDown:
      window_.MoveFocus(true);
      break;
    default:
      break;
  }
  Raise(events_.KeyDown, keyCode, shift);
}

void VEVXpButton::KeyUp(int keyCode, int shift) {
  if ((keyCode == kKeyEnter || keyCode == kKeySpace) && keyCode == lastKeyCode_) {
    Redraw(false);
    lastButton_ = kLeftButton;
    window_.Refresh();
    Raise(events_.Click);
  }
  Raise(events_.KeyUp, keyCode, shift);
}

void VEVXpButton::KeyPress(int keyAscii) { Raise(events_.KeyPress, keyAscii); }

void VEVXpButton::AccessKeyPressed() {
  lastButton_ = kLeftButton;
  MouseClick();
}

void VEVXpButton::FocusArrived() {
  hasFocus_ = true;
  Redraw(true);
  Raise(events_.GotFocus);
}

void VEVXpButton::FocusLeft() {
  hasFocus_ = false;
  Redraw(false);
  Raise(events_.LostFocus);
}

}  // namespace tarvex::widgets
