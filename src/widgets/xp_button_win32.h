#pragma once
// The command button of every window: a window of its own class
// "VEVXpButton" over the plain-C++ VEVXpButton. It delivers what the
// platform reports, keeps the painted face in a back buffer, draws the caption
// with the system's text drawing and gives the window its rounded shape.
//
// Texts are UTF-8, as everywhere in the windows. Its window text is its
// caption, so screen readers and the dialog manager's access keys
// (IsDialogMessage) see it. Click is raised through its event only; of a
// push button's notifications the parent gets BN_SETFOCUS and BN_KILLFOCUS.
#include <windows.h>

#include <memory>
#include <string>

#include "base/window_win32.h"
#include "widgets/back_buffer_win32.h"
#include "widgets/vev_xp_button.h"

namespace tarvex {

// A window of the program like any other: it derives the window base, its
// class, its procedure and its fonts and colours.
class XPButton : public ui::Window, private widgets::ButtonWindow {
 public:
  static constexpr char kClassName[] = "VEVXpButton";

  XPButton();
  XPButton(const XPButton&) = delete;
  XPButton& operator=(const XPButton&) = delete;
  ~XPButton() override;

  bool Create(HWND parent, int id, const RECT& bounds, const std::string& caption, HFONT font);

  void SetCaption(const std::string& caption);
  const std::string& ToolTipText() const { return tooltip_; }
  void SetToolTipText(const std::string& text);
  // The properties a window's layout stores for the button, over the
  // defaults its container gives: its own name as known to the container,
  // the container's text colour, and the font the button was made with.
  void ReadProperties(const widgets::PropertyBag& stored, const std::string& name, ui::Colour containerForeColor);

  // A BN_CLICKED aimed at this button clicks it, as its access key does.
  void OnCommand(WORD code);

  // The button's state, its other properties and its events (Click, GotFocus, ...).
  widgets::VEVXpButton& Control() { return control_; }
  // A pixel of the back buffer, as the next repaint will show it.
  COLORREF BackBufferPixel(int x, int y) const;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnDestroyed() override;

 private:
  void Press(int button, LPARAM lp);
  void Release(int button, WPARAM wp, LPARAM lp);
  void Notify(WORD code);
  HFONT FontFor(const widgets::FontSpec& font);
  void Paint(HDC dc) const;

  // widgets::ButtonWindow
  bool IsCursorOver() const override;
  void ShowFace(const widgets::PixelSurface& face) override;
  void DrawCaption(const std::string& caption, ui::Colour colour, const widgets::FontSpec& font) override;
  void ApplyRegion(const std::array<widgets::Point, 4>& removedCorners) override;
  void Refresh() override;
  void EnableInput(bool enabled) override;
  void MoveFocus(bool previous) override;
  void CaptureMouse() override;

  widgets::VEVXpButton control_;
  HWND tip_ = nullptr;
  std::string tooltip_;
  HFONT font_ = nullptr;  // the font the window gave; not ours
  widgets::FontSpec givenFont_;
  std::unique_ptr<widgets::BackBuffer> buffer_;
  SIZE shaped_ = {0, 0};  // the size the window's shape was made for
  int pressed_ = 0;       // the button whose release completes a click
};

}  // namespace tarvex
