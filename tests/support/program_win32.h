#pragma once
// The program as a test runs it: the real App with its real windows, file
// system and processes, but the test's own folder browser, message boxes,
// clock, program folder and end of the program.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "support/fixed_clock.h"
#include "support/temp_tree_win32.h"
#include "support/window_probe_win32.h"
#include "system/shell.h"
#include "ui/message_loop_win32.h"

namespace tarvex::testing {

class ProgramTest : public ::testing::Test {
 protected:
  struct Message {
    std::string title;
    std::string text;
    unsigned flags;  // icon and buttons
  };

  // Starts the program and lets its first activation run.
  void StartProgram() {
    programFolder_.Write("Tarvex.db", "Selesai:Selesai\r\n");
    app_ = std::make_unique<App>([this](DesktopServices& d) {
      d.browseFolder = [this] {
        ++browsed_;
        return chosen_;
      };
      d.messageBox = [this, real = d.messageBox](const std::string& text, unsigned flags, const std::string& title) {
        messages_.push_back({title, text, flags});
        if (realMessageBoxes_) return real(text, flags, title);
        return (flags & 0xF) == sys::kMbYesNo ? yesNoAnswer_ : static_cast<int>(sys::kIdOk);
      };
      d.yield = [this, real = d.yield] {
        if (!yieldPumps_) {
          real();  // the program's own pace: a turn of the queue once per display frame
        } else if (yieldPumps_()) {
          ui::PumpPendingMessages();
        }
        ++pumps_;
        if (afterPump_) afterPump_();
      };
      d.beep = [this] { ++beeps_; };
      d.endProgram = [this] { ++ended_; };
      d.programFolder = [this] { return programFolder_.Root(); };
      d.clock = &clock_;
      // Nothing opens a browser.
      d.shellOpen = [this](HWND owner, const std::string& target) {
        opened_.push_back(target);
        openedFor_.push_back(owner);
      };
      d.downloadsFolder = [this]() -> std::optional<std::string> { return downloadsFolder_.Root(); };
      if (adjust_) adjust_(d);
    });
    ASSERT_TRUE(app_->Start(SW_SHOWNORMAL));
    hwnd_ = app_->Main().Handle();
    Settle();
  }

  // Lets every waiting event run, for a moment.
  static void Settle(int ms = 100) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(ms);) {
      ui::PumpPendingMessages();
      Sleep(5);
    }
  }

  Antivirus& State() { return app_->Main().State(); }
  HWND Child(int id) { return app_->Main().Control(id); }
  std::string Text(int id) { return WindowText(Child(id)); }
  void Click(int id) { SendMessageA(Child(id), BM_CLICK, 0, 0); }
  // A click that waits in the queue until the scan next yields.
  void ClickLater(int id) { PostMessageA(Child(id), BM_CLICK, 0, 0); }

  // Replaces more of the real services before the program starts.
  std::function<void(DesktopServices&)> adjust_;
  FixedClock clock_{{2011, 10, 31, 9, 0, 0}};
  TempTree programFolder_{"program"};
  TempTree downloadsFolder_{"downloads"};
  std::unique_ptr<App> app_;
  HWND hwnd_ = nullptr;
  std::optional<std::string> chosen_;
  std::vector<Message> messages_;
  bool realMessageBoxes_ = false;
  int yesNoAnswer_ = sys::kIdNo;
  std::function<void()> afterPump_;
  // When set, decides at each yield whether the queue gets a turn, for a
  // test about what happens at one particular yield.
  std::function<bool()> yieldPumps_;
  std::vector<std::string> opened_;  // what the shell was asked to open
  std::vector<HWND> openedFor_;      // and for which window
  int browsed_ = 0;
  int pumps_ = 0;
  int beeps_ = 0;
  int ended_ = 0;
};

}  // namespace tarvex::testing
