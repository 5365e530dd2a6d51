#pragma once
// Answers a dialog the test itself opens, as a user would: a helper thread
// waits for the dialog window of the test's thread to appear, then acts on it
// while the test's thread sits in the dialog's own loop.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace tarvex::testing {

class DialogDriver {
 public:
  explicit DialogDriver(std::function<void(HWND dialog)> act)
      : thread_(GetCurrentThreadId()), worker_([this, act = std::move(act)] {
          for (int waited = 0; waited < 15000 && !stop_; waited += 20) {
            if (HWND dialog = FindDialog()) {
              Sleep(100);  // let it finish settling in
              act(dialog);
              acted_ = true;
              return;
            }
            Sleep(20);
          }
        }) {}
  ~DialogDriver() {
    stop_ = true;
    worker_.join();
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool Acted() const { return acted_; }

  // What the helper can do to the dialog.
  static void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
  static void Type(HWND dialog, int control, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, control), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

 private:
  HWND FindDialog() const {
    HWND found = nullptr;
    EnumThreadWindows(thread_, &IfDialog, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static BOOL CALLBACK IfDialog(HWND hwnd, LPARAM found) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }

  DWORD thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> acted_{false};
  std::thread worker_;
};

}  // namespace tarvex::testing
