#pragma once
// The colours, brushes and fonts every window of the program paints with.
// Brushes and fonts live for the run: windows come and go, their colours and
// fonts stay the same, so each is made once and handed out again.
#include <windows.h>

#include "base/geometry.h"

namespace tarvex::ui {

// A designer's colour as the platform paints it: system colours resolved,
// "no colour given" as `fallback`.
COLORREF ColourRef(Colour c, COLORREF fallback);

HBRUSH BrushFor(COLORREF colour);

// The font of that face, size and style; the system's dialog font for no face.
HFONT FontFor(const Font& font);

int ScreenDpi();

}  // namespace tarvex::ui
