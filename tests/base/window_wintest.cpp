// An exception thrown while a window handles a message stops at the window's
// edge: the user is told in a message box and the window goes on working.
#include "base/window_win32.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/dialog_driver_win32.h"

namespace tarvex::ui {
namespace {

constexpr UINT kFail = WM_APP + 1;
constexpr UINT kAnswer = WM_APP + 2;

class FailingWindow : public Window {
 public:
  FailingWindow() { CreateHandle({.className = "TarvexFailingWindow", .style = WS_OVERLAPPEDWINDOW}); }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kFail && wp == 0) throw std::runtime_error("daftar rusak");
    if (msg == kFail) throw 42;
    if (msg == kAnswer) return 7;
    return Window::OnMessage(msg, wp, lp);
  }
};

TEST(WindowBoundary, AnExceptionIsToldAndTheWindowGoesOn) {
  FailingWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  for (WPARAM kind : {0, 1}) {
    std::wstring told;
    testing::DialogDriver driver([&](HWND box) {
      wchar_t text[512] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 512);
      told = text;
      testing::DialogDriver::Press(box, IDOK);
    });
    SendMessageW(window.Handle(), kFail, kind, 0);
    EXPECT_TRUE(driver.Acted()) << "no message box for kind " << kind;
    if (kind == 0) {
      EXPECT_NE(told.find(L"daftar rusak"), std::wstring::npos);
    }
    EXPECT_TRUE(IsWindow(window.Handle()));
    EXPECT_EQ(SendMessageW(window.Handle(), kAnswer, 0, 0), 7);
  }
}

}  // namespace
}  // namespace tarvex::ui
