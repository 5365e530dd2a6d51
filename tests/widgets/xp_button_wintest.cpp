// The XP button in a real window: mouse, keys, access keys, focus and hover
// as the platform delivers them through the dialog manager's navigation, and
// the pixels it shows.
#include "widgets/xp_button_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "support/window_probe_win32.h"

namespace tarvex {
namespace {

constexpr COLORREF kFocusTop = RGB(206, 231, 251);
constexpr COLORREF kHoverTop = RGB(255, 240, 207);
constexpr COLORREF kPressedTop = RGB(209, 204, 192);
constexpr COLORREF kDisabledFace = RGB(245, 244, 234);

class ButtonWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXA wc = {sizeof wc};
    wc.lpfnWndProc = &HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "XpButtonTestHost";
    RegisterClassExA(&wc);
    host_ = CreateWindowExA(WS_EX_CONTROLPARENT | WS_EX_TOPMOST, wc.lpszClassName, "XP", WS_POPUP | WS_VISIBLE, 40, 40,
                            300, 60, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(host_);
    SetWindowLongPtrA(host_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log_));
    font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    const char* captions[] = {"&Scan", "&Hapus", "Tom && Jerry"};
    for (int i = 0; i < 3; ++i) {
      RECT r = {10 + 95 * i, 10, 10 + 95 * i + 75, 35};
      ASSERT_TRUE(buttons_[i].Create(host_, 100 + i, r, captions[i], font_));
      buttons_[i].Control().Events().Click = [this, i] { log_.push_back("Click " + std::to_string(i)); };
      buttons_[i].Control().Events().GotFocus = [this, i] { log_.push_back("GotFocus " + std::to_string(i)); };
    }
    widgets::ButtonEvents& e = buttons_[0].Control().Events();
    e.MouseOver = [this] { log_.push_back("MouseOver 0"); };
    e.MouseOut = [this] { log_.push_back("MouseOut 0"); };
    SetForegroundWindow(host_);
    Pump();
    log_.clear();
  }
  void TearDown() override {
    DestroyWindow(host_);
    DeleteObject(font_);
  }

  // The container hears of the focus as of a push button's with BS_NOTIFY.
  static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* log = reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (log && msg == WM_COMMAND && (HIWORD(wp) == BN_SETFOCUS || HIWORD(wp) == BN_KILLFOCUS))
      log->push_back((HIWORD(wp) == BN_SETFOCUS ? "BN_SETFOCUS " : "BN_KILLFOCUS ") + std::to_string(LOWORD(wp) - 100));
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  // The program's loop: keyboard navigation first, as the windows of the program get it.
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (IsDialogMessageA(host_, &msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  template <class Done>
  bool PumpUntil(Done done, int ms = 1000) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(ms); Sleep(5)) {
      Pump();
      if (done()) return true;
    }
    return false;
  }
  void Key(int i, UINT msg, WPARAM key) {
    PostMessageA(buttons_[i].Handle(), msg, key, 1);
    Pump();
  }
  void Mouse(int i, UINT msg, WPARAM keys) { SendMessageA(buttons_[i].Handle(), msg, keys, MAKELPARAM(10, 10)); }
  std::vector<COLORREF> BackBuffer(int i) {
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 25; ++y)
      for (int x = 0; x < 75; ++x) pixels.push_back(buttons_[i].BackBufferPixel(x, y));
    return pixels;
  }
  std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }

  HWND host_ = nullptr;
  HFONT font_ = nullptr;
  std::array<XPButton, 3> buttons_;
  std::vector<std::string> log_;
};

TEST_F(ButtonWindow, IsItsOwnClassWithTheCaptionAsTextAndRoundedCorners) {
  HWND b = buttons_[0].Handle();
  char cls[64] = {};
  GetClassNameA(b, cls, sizeof cls);
  EXPECT_STREQ(cls, "VEVXpButton");
  EXPECT_EQ(testing::WindowText(b), "&Scan");
  buttons_[0].SetCaption("Sto&p");
  EXPECT_EQ(testing::WindowText(b), "Sto&p");
  EXPECT_EQ(buttons_[0].Control().AccessKey(), 'p');
  SetWindowTextA(b, "Scan");  // set from outside: the caption follows
  EXPECT_EQ(buttons_[0].Control().Caption(), "Scan");
  EXPECT_EQ(buttons_[0].Control().AccessKey(), '\0');
  buttons_[0].SetCaption("Pind\xC3\xA1i");  // UTF-8, as every text of the windows
  wchar_t wide[32] = {};
  GetWindowTextW(b, wide, 32);
  EXPECT_STREQ(wide, L"Pind\u00E1i");

  HRGN shape = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(b, shape), ERROR);
  for (POINT p : {POINT{0, 0}, {74, 0}, {0, 24}, {74, 24}}) EXPECT_FALSE(PtInRegion(shape, p.x, p.y)) << p.x;
  for (POINT p : {POINT{1, 0}, {73, 24}, {40, 12}}) EXPECT_TRUE(PtInRegion(shape, p.x, p.y)) << p.x;
  DeleteObject(shape);

  EXPECT_EQ(buttons_[0].BackBufferPixel(0, 1), RGB(122, 149, 168));
  EXPECT_EQ(buttons_[0].BackBufferPixel(5, 1), GetSysColor(COLOR_WINDOW));
  // What the window shows is its back buffer.
  UpdateWindow(b);
  HDC dc = GetDC(b);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(37, 87, 131));
  EXPECT_EQ(GetPixel(dc, 5, 3), RGB(255, 255, 253));
  ReleaseDC(b, dc);
}

TEST_F(ButtonWindow, CaptionIsDrawnInTheForeColourAndTheDisabledGrey) {
  auto countColour = [&](COLORREF colour) {
    int n = 0;
    for (COLORREF c : BackBuffer(1)) n += c == colour;
    return n;
  };
  buttons_[1].Control().SetForeColor(RGB(255, 0, 0));
  EXPECT_GT(countColour(RGB(255, 0, 0)), 10);
  buttons_[1].Control().SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(buttons_[1].Handle()));
  EXPECT_EQ(countColour(RGB(255, 0, 0)), 0);
  EXPECT_GT(countColour(RGB(161, 161, 146)), 10);
  EXPECT_EQ(buttons_[1].BackBufferPixel(40, 2), kDisabledFace);
  EnableWindow(buttons_[1].Handle(), TRUE);  // enabled from outside: the property follows
  EXPECT_TRUE(buttons_[1].Control().Enabled());
  EXPECT_NE(buttons_[1].BackBufferPixel(40, 2), kDisabledFace);
}

TEST_F(ButtonWindow, RightPressChangesNothingLeftClickPressesAndClicks) {
  std::vector<COLORREF> before = BackBuffer(1);
  HWND focus = GetFocus();
  Mouse(1, WM_RBUTTONDOWN, MK_RBUTTON);
  EXPECT_EQ(BackBuffer(1), before);
  Mouse(1, WM_RBUTTONUP, 0);
  Pump();
  EXPECT_EQ(BackBuffer(1), before);
  EXPECT_EQ(GetFocus(), focus);
  EXPECT_TRUE(TakeLog().empty());

  Mouse(1, WM_LBUTTONDOWN, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), buttons_[1].Handle());
  EXPECT_EQ(buttons_[1].BackBufferPixel(40, 1), kPressedTop);
  Mouse(1, WM_LBUTTONUP, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"GotFocus 1", "BN_SETFOCUS 1", "Click 1"}));
  EXPECT_EQ(buttons_[1].BackBufferPixel(40, 1), kFocusTop);

  // A double click: one Click only, and the second release still reaches the button.
  Mouse(1, WM_LBUTTONDOWN, MK_LBUTTON);
  Mouse(1, WM_LBUTTONUP, 0);
  Mouse(1, WM_LBUTTONDBLCLK, MK_LBUTTON);
  EXPECT_EQ(GetCapture(), buttons_[1].Handle());
  Mouse(1, WM_LBUTTONUP, 0);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"Click 1"}));
}

TEST_F(ButtonWindow, SpaceOnANeverClickedButtonShowsTheFocusLookAndClicksOnRelease) {
  SetFocus(buttons_[0].Handle());
  Key(0, WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(buttons_[0].BackBufferPixel(40, 1), kFocusTop);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"GotFocus 0", "BN_SETFOCUS 0"}));
  Key(0, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"Click 0"}));

  // Enter too, past the dialog manager that would take it for a default button.
  Key(0, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(buttons_[0].BackBufferPixel(40, 1), kPressedTop);  // clicked once now
  Key(0, WM_KEYUP, VK_RETURN);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"Click 0"}));
}

TEST_F(ButtonWindow, ArrowsMoveTheFocusAndTabStillDoes) {
  SetFocus(buttons_[0].Handle());
  struct Step {
    WPARAM key;
    int focused;
  };
  TakeLog();
  Key(0, WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"BN_KILLFOCUS 0", "GotFocus 1", "BN_SETFOCUS 1"}));
  SetFocus(buttons_[0].Handle());
  for (Step s : {Step{VK_RIGHT, 1}, {VK_DOWN, 0}, {VK_LEFT, 1}, {VK_UP, 0}, {VK_TAB, 1}, {VK_RIGHT, 2}, {VK_RIGHT, 0}}) {
    int from = GetDlgCtrlID(GetFocus()) - 100;
    Key(from, WM_KEYDOWN, s.key);
    EXPECT_EQ(GetFocus(), buttons_[s.focused].Handle()) << "key " << s.key << " from " << from;
  }
  EXPECT_EQ(buttons_[0].BackBufferPixel(40, 1), kFocusTop);
  EXPECT_EQ(buttons_[2].BackBufferPixel(40, 1), GetSysColor(COLOR_WINDOW));  // the focus look went with the focus
}

TEST_F(ButtonWindow, AccessKeyClicksThroughTheDialogManager) {
  SetFocus(buttons_[2].Handle());
  TakeLog();
  Key(2, WM_CHAR, 's');
  Key(2, WM_SYSCHAR, 'H');  // Alt+H
  Key(2, WM_CHAR, 'j');     // "Tom && Jerry" has no access key
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"Click 0", "Click 1"}));
  EXPECT_EQ(buttons_[0].Control().LastButton(), widgets::kLeftButton);
  buttons_[0].Control().SetEnabled(false);
  Key(2, WM_CHAR, 's');
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(ButtonWindow, HoverLookAppearsAndGoesWhenTheCursorLeaves) {
  RECT r;
  GetWindowRect(buttons_[0].Handle(), &r);
  SetCursorPos(r.left + 30, r.top + 12);
  Mouse(0, WM_MOUSEMOVE, 0);
  EXPECT_TRUE(buttons_[0].Control().Hovering());
  EXPECT_EQ(buttons_[0].BackBufferPixel(40, 1), kHoverTop);
  Pump();
  EXPECT_TRUE(buttons_[0].Control().Hovering());  // the timer sees the cursor still there

  SetCursorPos(r.right + 300, r.bottom + 300);
  EXPECT_TRUE(PumpUntil([&] { return !buttons_[0].Control().Hovering(); }, 500));
  EXPECT_EQ(buttons_[0].BackBufferPixel(40, 1), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(TakeLog(), (std::vector<std::string>{"MouseOver 0", "MouseOut 0"}));
  EXPECT_FALSE(buttons_[0].Control().Timers().Running(widgets::VEVXpButton::kHoverTimer));
}

}  // namespace
}  // namespace tarvex
