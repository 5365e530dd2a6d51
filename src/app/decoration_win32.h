#pragma once
#include <windows.h>

namespace tarvex {

// The pictures of the main window, drawn rather than loaded so that the exe
// carries nothing but its icon.
void DrawBanner(HDC dc, const RECT& r);
void DrawBadge(HDC dc, const RECT& r);

}  // namespace tarvex
