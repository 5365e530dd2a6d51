#include "app/decoration_win32.h"

#include "base/app_title.h"
#include "base/scoped_win32.h"

namespace tarvex {

namespace {

using ui::ScopedBrush;
using ui::ScopedFont;
using ui::ScopedPen;
using ui::ScopedSelection;

int Mix(int a, int b, int step, int steps) { return a + (b - a) * step / (steps > 1 ? steps - 1 : 1); }

void VerticalGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
  int height = r.bottom - r.top;
  for (int y = 0; y < height; ++y) {
    COLORREF c = RGB(Mix(GetRValue(top), GetRValue(bottom), y, height), Mix(GetGValue(top), GetGValue(bottom), y, height),
                     Mix(GetBValue(top), GetBValue(bottom), y, height));
    ScopedBrush b(CreateSolidBrush(c));
    RECT line = {r.left, r.top + y, r.right, r.top + y + 1};
    FillRect(dc, &line, b.get());
  }
}

HFONT Font(int pixels, bool bold, const char* face = "Tahoma") {
  return CreateFontA(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

void Text(HDC dc, int x, int y, const char* text, int pixels, bool bold, COLORREF color) {
  ScopedFont f(Font(pixels, bold));
  ScopedSelection use(dc, f.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  TextOutA(dc, x, y, text, lstrlenA(text));
}

// A shield with a "T", the product's mark; `size` is its height.
void Shield(HDC dc, int x, int y, int size) {
  int w = size * 4 / 5;
  POINT pts[] = {{x + w / 2, y},
                 {x + w, y + size / 7},
                 {x + w - w / 20, y + size * 3 / 5},
                 {x + w / 2, y + size},
                 {x + w / 20, y + size * 3 / 5},
                 {x, y + size / 7}};
  {
    ScopedPen pen(CreatePen(PS_SOLID, size > 40 ? 3 : 2, RGB(51, 255, 51)));
    ScopedBrush fill(CreateSolidBrush(RGB(10, 31, 107)));
    ScopedSelection usePen(dc, pen.get());
    ScopedSelection useBrush(dc, fill.get());
    Polygon(dc, pts, 6);
  }
  ScopedFont f(Font(size * 3 / 5, true, "Arial"));
  ScopedSelection use(dc, f.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(51, 255, 51));
  RECT box = {x, y + size / 8, x + w, y + size * 4 / 5};
  DrawTextA(dc, "T", 1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Thin circuit-board traces: the look of a security product without a photo.
void Traces(HDC dc, const RECT& r) {
  ScopedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 90, 60)));
  ScopedBrush dot(CreateSolidBrush(RGB(0, 150, 90)));
  ScopedSelection usePen(dc, pen.get());
  ScopedSelection useBrush(dc, dot.get());
  for (int i = 0; i < 7; ++i) {
    int x0 = r.right - 300 + i * 38;
    int y0 = r.top + 12 + (i * 29) % 70;
    POINT path[] = {{x0, y0}, {x0 + 30, y0}, {x0 + 48, y0 + 18}, {r.right, y0 + 18}};
    Polyline(dc, path, 4);
    Ellipse(dc, x0 - 3, y0 - 3, x0 + 4, y0 + 4);
  }
}

}  // namespace

void DrawBanner(HDC dc, const RECT& r) {
  VerticalGradient(dc, r, RGB(0, 0, 70), RGB(0, 0, 150));
  Traces(dc, r);
  Shield(dc, r.left + 26, r.top + 12, 80);
  Text(dc, r.left + 122, r.top + 14, "TARVEX", 40, true, RGB(0, 90, 0));
  Text(dc, r.left + 120, r.top + 12, "TARVEX", 40, true, RGB(255, 255, 255));
  Text(dc, r.left + 300, r.top + 22, "ANTIVIRUS", 30, true, RGB(51, 255, 51));
  Text(dc, r.left + 122, r.top + 62, "Pelindung komputer Anda dari virus lokal", 14, false, RGB(170, 220, 255));
  Text(dc, r.right - 60, r.top + 84, "v1.00", 12, true, RGB(170, 220, 255));
}

void DrawBadge(HDC dc, const RECT& r) {
  {
    ScopedBrush navy(CreateSolidBrush(RGB(0, 0, 128)));
    FillRect(dc, &r, navy.get());
    ScopedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 128, 0)));
    ScopedBrush fill(CreateSolidBrush(RGB(0, 0, 96)));
    ScopedSelection usePen(dc, pen.get());
    ScopedSelection useBrush(dc, fill.get());
    RoundRect(dc, r.left + 2, r.top + 4, r.right - 2, r.bottom - 4, 14, 14);
  }
  Shield(dc, r.left + 12, r.top + 10, 40);
  Text(dc, r.left + 56, r.top + 12, kApplicationTitle, 17, true, RGB(255, 255, 255));
  Text(dc, r.left + 57, r.top + 32, "Antivirus lokal Indonesia", 12, false, RGB(51, 255, 51));
}

}  // namespace tarvex
