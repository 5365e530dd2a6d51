#include "ui/frame_style_win32.h"

namespace tarvex::ui {

FrameStyle StyleOf(const WindowSpec& w) {
  FrameStyle f = {WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU, WS_EX_CONTROLPARENT, {}};
  switch (w.frame) {
    case Frame::None: break;
    case Frame::FixedTool: f.style |= WS_CAPTION; f.exStyle |= WS_EX_TOOLWINDOW; break;
    case Frame::SizableTool: f.style |= WS_CAPTION | WS_THICKFRAME; f.exStyle |= WS_EX_TOOLWINDOW; break;
    case Frame::FixedSingle: f.style |= WS_CAPTION; break;
  }
  // The platform places only overlapped windows; a pop-up asking for its
  // place would land in the screen's corner.
  if (!w.centred && w.frame != Frame::None) f.style &= ~WS_POPUP;
  if (w.minimiseBox) f.style |= WS_MINIMIZEBOX;
  if (w.taskbarButton) f.exStyle |= WS_EX_APPWINDOW;
  RECT& r = f.outer;
  r = {0, 0, w.clientWidth, w.clientHeight};
  AdjustWindowRectEx(&r, f.style, FALSE, f.exStyle);
  OffsetRect(&r, -r.left, -r.top);
  if (!w.centred) {
    r.left = CW_USEDEFAULT;
    return f;
  }
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  OffsetRect(&r, work.left + (work.right - work.left - r.right) / 2, work.top + (work.bottom - work.top - r.bottom) / 2);
  return f;
}

}  // namespace tarvex::ui
