#include "base/window_win32.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/dialog_driver_win32.h"

namespace tarvex::ui {
namespace {

class FailingWindow : public Window {
 public:
  FailingWindow() { CreateHandle({.className = "TarvexFailingWindow", .style = WS_OVERLAPPEDWINDOW}); }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_APP && wp == 1) throw std::runtime_error("daftar rusak");
    if (msg == WM_APP && wp == 2) throw 42;
    return msg == WM_APP ? 7 : Window::OnMessage(msg, wp, lp);
  }
};

TEST(WindowBoundary, AnExceptionIsToldAndTheWindowGoesOn) {
  FailingWindow window;
  for (WPARAM kind : {1, 2}) {
    wchar_t told[512] = {};
    MSG quit;  // a quit an earlier test left behind would end the box at once
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    {
      testing::DialogDriver driver([&](HWND box) {
        GetDlgItemTextW(box, 0xFFFF, told, 512);
        testing::DialogDriver::Press(box, IDOK);
      });
      SendMessageW(window.Handle(), WM_APP, kind, 0);
    }  // the driver's thread is done with `told`
    EXPECT_NE(std::wstring(told).find(kind == 1 ? L"daftar rusak" : L"tanpa keterangan"), std::wstring::npos) << kind;
    EXPECT_EQ(SendMessageW(window.Handle(), WM_APP, 0, 0), 7) << "the window goes on";
  }
}

}  // namespace
}  // namespace tarvex::ui
