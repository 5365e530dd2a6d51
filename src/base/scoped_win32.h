#pragma once
// Owners for what Win32 hands out and wants back: GDI objects, selections into
// a device context, device contexts, menus and kernel handles. Each gives its
// object back once, on every path, when it goes out of scope.
#include <windows.h>

#include <utility>

namespace tarvex::ui {

// Owns one handle; `Release` gives it back to the system.
template <class Handle, class Release>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(Handle h) : h_(h) {}
  ~Scoped() { reset(); }
  Scoped(Scoped&& o) noexcept : h_(std::exchange(o.h_, Handle{})) {}
  Scoped& operator=(Scoped&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Handle{}));
    return *this;
  }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;

  Handle get() const { return h_; }
  explicit operator bool() const { return Release::Valid(h_); }
  // Hands the handle to whoever takes it over (SetWindowRgn, for one).
  Handle release() { return std::exchange(h_, Handle{}); }
  void reset(Handle h = Handle{}) {
    if (Release::Valid(h_)) Release::Free(h_);
    h_ = h;
  }

 private:
  Handle h_{};
};

struct GdiRelease {
  static bool Valid(HGDIOBJ h) { return h != nullptr; }
  static void Free(HGDIOBJ h) { DeleteObject(h); }
};
struct KernelRelease {
  // Some calls answer failure with INVALID_HANDLE_VALUE, others with null.
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Free(HANDLE h) { CloseHandle(h); }
};
struct MemoryDcRelease {
  static bool Valid(HDC h) { return h != nullptr; }
  static void Free(HDC h) { DeleteDC(h); }
};
struct MenuRelease {
  static bool Valid(HMENU h) { return h != nullptr; }
  static void Free(HMENU h) { DestroyMenu(h); }
};
struct CursorRelease {
  static bool Valid(HCURSOR h) { return h != nullptr; }
  static void Free(HCURSOR h) { DestroyCursor(h); }
};

using ScopedBrush = Scoped<HBRUSH, GdiRelease>;
using ScopedPen = Scoped<HPEN, GdiRelease>;
using ScopedFont = Scoped<HFONT, GdiRelease>;
using ScopedBitmap = Scoped<HBITMAP, GdiRelease>;
using ScopedRegion = Scoped<HRGN, GdiRelease>;
using ScopedHandle = Scoped<HANDLE, KernelRelease>;
using ScopedMemoryDc = Scoped<HDC, MemoryDcRelease>;
using ScopedMenu = Scoped<HMENU, MenuRelease>;
using ScopedCursor = Scoped<HCURSOR, CursorRelease>;

// An object selected into a device context until the end of the scope, when
// the one it replaced is selected back (before the object itself is freed, so
// declare the object first).
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~ScopedSelection() {
    if (old_) SelectObject(dc_, old_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window's device context (the screen's for a null window), from GetDC.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

}  // namespace tarvex::ui
