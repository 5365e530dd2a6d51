#pragma once
// The frame a window's design asks for: its styles, and where it stands.
#include <windows.h>

#include "ui/control_table.h"

namespace tarvex::ui {

struct FrameStyle {
  DWORD style;
  DWORD exStyle;
  // The outer rectangle in screen pixels: centred in the work area, or the
  // platform's place (CW_USEDEFAULT in `left`, the size in `right` and `bottom`).
  RECT outer;
};

FrameStyle StyleOf(const WindowSpec& w);

}  // namespace tarvex::ui
