#pragma once
// The command button of every window: caption, enabled state, tooltip and
// click. For now a system push button does the drawing.
#include <windows.h>

#include <functional>
#include <string>

namespace tarvex {

class XPButton {
 public:
  XPButton() = default;
  XPButton(const XPButton&) = delete;
  XPButton& operator=(const XPButton&) = delete;
  ~XPButton();

  bool Create(HWND parent, int id, const RECT& bounds, const std::string& caption, HFONT font);
  HWND Handle() const { return hwnd_; }
  int Id() const { return id_; }

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  const std::string& ToolTipText() const { return tooltip_; }
  void SetToolTipText(const std::string& text);
  HWND ToolTipWindow() const { return tip_; }
  // Caption colours: normal and under the mouse.
  void SetForeColor(COLORREF color) { foreColor_ = color; }
  void SetForeHover(COLORREF color) { foreHover_ = color; }
  COLORREF ForeColor() const { return foreColor_; }
  COLORREF ForeHover() const { return foreHover_; }

  std::function<void()> Click;
  // The parent forwards its WM_COMMAND for this button's id here.
  void OnCommand(WORD code);

 private:
  HWND hwnd_ = nullptr;
  HWND tip_ = nullptr;
  int id_ = 0;
  std::string tooltip_;
  COLORREF foreColor_ = 0;
  COLORREF foreHover_ = 0;
};

}  // namespace tarvex
