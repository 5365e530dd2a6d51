#pragma once
// The XP-style push button of every window, as plain C++: its properties, the
// state it keeps between mouse, keyboard and focus events, the events it
// raises to its container and the look each state paints. The window under it
// (a real one, or a test's fake) only delivers what the platform reports and
// shows what is painted.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "base/geometry.h"
#include "base/timer_table.h"
#include "widgets/pixel_surface.h"
#include "widgets/property_bag.h"
#include "widgets/xp_button_look.h"

namespace tarvex::widgets {

// Mouse buttons and shift keys as the events carry them.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };
enum KeyCode : int { kKeyEnter = 13, kKeySpace = 32, kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40 };

struct MouseArgs {
  int button = 0;  // the buttons held (moves) or the one pressed or released
  int shift = 0;   // 1 Shift, 2 Ctrl, 4 Alt
  float x = 0;
  float y = 0;
};

// What the button tells its container, in this order of declaration.
struct ButtonEvents {
  std::function<void()> Click;
  std::function<void(const MouseArgs&)> MouseDown;
  std::function<void(const MouseArgs&)> MouseMove;
  std::function<void(const MouseArgs&)> MouseUp;
  std::function<void(int keyAscii)> KeyPress;
  std::function<void(int keyCode, int shift)> KeyDown;
  std::function<void(int keyCode, int shift)> KeyUp;
  std::function<void()> MouseOver;
  std::function<void()> MouseOut;
  // The platform's own events of an embedded control that containers use.
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
};

// What the button asks of the window it lives in.
class ButtonWindow {
 public:
  virtual ~ButtonWindow() = default;
  // The window under the cursor is the button's own (not a child, not a window on top).
  virtual bool IsCursorOver() const = 0;
  // The last steps of every repaint: the face into the back buffer, the
  // caption over it, and the window's shape without the given corner pixels.
  virtual void ShowFace(const PixelSurface& face) = 0;
  virtual void DrawCaption(const std::string& caption, ui::Colour colour, const FontSpec& font) = 0;
  virtual void ApplyRegion(const std::array<Point, 4>& removedCorners) = 0;
  // Puts the back buffer on the screen now.
  virtual void Refresh() = 0;
  virtual void EnableInput(bool enabled) = 0;
  // The focus to the next control (Tab) or the previous one (Shift+Tab).
  virtual void MoveFocus(bool previous) = 0;
  // Mouse input to the button until the buttons are released.
  virtual void CaptureMouse() = 0;
};

// What a control learns from its container when it is placed or loaded.
struct Ambient {
  std::string name;  // the control's name in the container
  FontSpec font;
  ui::Colour foreColor = ui::kWindowFrameColour;
};

// The access key of a caption (lower case), or '\0' for none.
char AccessKeyOf(std::string_view caption);

// The properties a window's layout stores for a button: its caption, and
// its font and colours where given (ui::kDefaultColour and no face: not given).
PropertyBag StoredProperties(std::string_view caption, const ui::Font& font, ui::Colour foreColor,
                             ui::Colour foreHover);

class VEVXpButton {
 public:
  static constexpr int kHoverTimer = 1;
  // A 1 ms tick: it only has to notice promptly that the cursor left.
  static constexpr unsigned kHoverIntervalMs = 1;
  static constexpr ui::Colour kDefaultFaceBackground = ui::Rgb(255, 255, 255);

  explicit VEVXpButton(ButtonWindow& window) : window_(window) {}
  VEVXpButton(const VEVXpButton&) = delete;
  VEVXpButton& operator=(const VEVXpButton&) = delete;

  ButtonEvents& Events() { return events_; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  const FontSpec& Font() const { return font_; }
  void SetFont(const FontSpec& font);
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  ui::Colour ForeColor() const { return foreColor_; }
  void SetForeColor(ui::Colour colour);
  ui::Colour ForeHover() const { return foreHover_; }
  void SetForeHover(ui::Colour colour) { foreHover_ = colour; }
  char AccessKey() const { return accessKey_; }

  // A control newly placed in a window, and one loaded from or saved to its layout.
  void InitProperties(const Ambient& ambient);
  void ReadProperties(const PropertyBag& bag, const Ambient& ambient);
  void WriteProperties(PropertyBag& bag, const Ambient& ambient) const;

  // The colour the faces are cleared to (the system window colour, resolved).
  void SetBackground(ui::Colour colour) { background_ = colour; }

  // What the platform reports.
  void Resize(int width, int height);
  void Show() { Redraw(false); }
  void MouseDown(const MouseArgs& args);
  void MouseUp(const MouseArgs& args);
  // A press and release on the control, after MouseUp.
  void MouseClick();
  // The second press of a double click (it comes instead of MouseDown).
  void DoubleClick();
  void MouseMove(const MouseArgs& args);
  void HoverTick();
  void KeyDown(int keyCode, int shift);
  void KeyUp(int keyCode, int shift);
  void KeyPress(int keyAscii);
  void AccessKeyPressed();
  void FocusArrived();
  void FocusLeft();

  // Paints the look the state calls for, with `press` asking for the pressed face.
  void Redraw(bool press);

  // The private state, for the window under it and for tests.
  bool Hovering() const { return hovering_; }
  int Inside() const { return inside_; }
  bool HasFocus() const { return hasFocus_; }
  int LastButton() const { return lastButton_; }
  int LastKeyCode() const { return lastKeyCode_; }
  ui::TimerTable& Timers() { return timers_; }
  Look LastLook() const { return lastLook_; }

 private:
  LookState State() const { return {enabled_, hovering_, hasFocus_, lastButton_}; }
  void UpdateAccessKey() { accessKey_ = AccessKeyOf(caption_); }
  template <class Event, class... Args>
  static void Raise(const Event& event, const Args&... args) {
    if (event) event(args...);
  }

  ButtonWindow& window_;
  ButtonEvents events_;
  bool enabled_ = true;
  FontSpec font_{"Tahoma", 825};
  std::string caption_;
  ui::Colour foreColor_ = ui::kWindowFrameColour;
  ui::Colour foreHover_ = ui::kWindowFrameColour;
  char accessKey_ = '\0';
  ui::Colour background_ = kDefaultFaceBackground;

  bool hovering_ = false;
  int inside_ = 0;
  bool hasFocus_ = false;
  int lastButton_ = 0;
  int lastKeyCode_ = 0;
  ui::TimerTable timers_{{kHoverTimer, kHoverIntervalMs, false}};
  PixelSurface face_;
  Look lastLook_ = Look::Normal;
};

}  // namespace tarvex::widgets
