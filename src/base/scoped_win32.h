#pragma once
// Owners for what Win32 hands out and wants back: GDI objects, selections into
// a device context, memory device contexts, menus and kernel handles. Each
// gives its object back once, on every path, when it goes out of scope.
#include <windows.h>

#include <utility>

namespace tarvex::ui {

// Owns one handle; `Free` gives it back to the system.
template <class Handle, auto Free>
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
  explicit operator bool() const { return Valid(h_); }
  // Hands the handle to whoever takes it over (SetWindowRgn, for one).
  Handle release() { return std::exchange(h_, Handle{}); }
  void reset(Handle h = Handle{}) {
    if (Valid(h_)) Free(h_);
    h_ = h;
  }

 private:
  // Some calls answer failure with INVALID_HANDLE_VALUE, others with null.
  static bool Valid(Handle h) { return h != Handle{} && reinterpret_cast<HANDLE>(h) != INVALID_HANDLE_VALUE; }

  Handle h_{};
};

using ScopedBrush = Scoped<HBRUSH, DeleteObject>;
using ScopedPen = Scoped<HPEN, DeleteObject>;
using ScopedFont = Scoped<HFONT, DeleteObject>;
using ScopedBitmap = Scoped<HBITMAP, DeleteObject>;
using ScopedRegion = Scoped<HRGN, DeleteObject>;
using ScopedHandle = Scoped<HANDLE, CloseHandle>;
using ScopedMemoryDc = Scoped<HDC, DeleteDC>;
using ScopedMenu = Scoped<HMENU, DestroyMenu>;
using ScopedCursor = Scoped<HCURSOR, DestroyCursor>;

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

}  // namespace tarvex::ui
