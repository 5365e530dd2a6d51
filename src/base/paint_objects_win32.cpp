#include "base/paint_objects_win32.h"

#include <map>
#include <string>
#include <tuple>

#include "base/scoped_win32.h"
#include "base/wide_text_win32.h"

namespace tarvex::ui {

COLORREF ColourRef(Colour c, COLORREF fallback) {
  if (c == kDefaultColour) return fallback;
  if (IsSystemColour(c)) return GetSysColor(static_cast<int>(c & 0xFF));
  return static_cast<COLORREF>(c);
}

HBRUSH BrushFor(COLORREF colour) {
  static std::map<COLORREF, ScopedBrush> brushes;
  ScopedBrush& b = brushes[colour];
  if (!b) b.reset(CreateSolidBrush(colour));
  return b.get();
}

HFONT FontFor(const Font& font) {
  if (!font.face || !*font.face) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  // Keyed by the face's letters: a font may be asked for with a face held anywhere.
  using Key = std::tuple<std::string, int, bool, bool>;
  static std::map<Key, ScopedFont> fonts;
  ScopedFont& f = fonts[Key{font.face, font.hundredthsOfPoint, font.bold, font.underline}];
  if (!f) {
    // The designer's sizes are points (8.25 pt is the "8 pt" of a 96-dpi screen).
    const int height = -MulDiv(font.hundredthsOfPoint, ScreenDpi(), 7200);
    f.reset(CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, font.underline, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, WideFromUtf8(font.face).c_str()));
  }
  return f.get();
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace tarvex::ui
