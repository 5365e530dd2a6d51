#pragma once
// One program per user takes the scans of later starts: a start with
// something to do (folders, "/jaga") while the program already runs for this
// user in this session hands its request to the running main window and ends.
// The running one publishes its window in a named shared block; a start that
// finds the block taken is not the first.
#include <windows.h>

#include <optional>

#include "app/start_request.h"

namespace tarvex {

class RunningInstance {
 public:
  RunningInstance();
  ~RunningInstance();
  RunningInstance(const RunningInstance&) = delete;
  RunningInstance& operator=(const RunningInstance&) = delete;

  // No other start of this user runs (or none could be asked).
  bool First() const { return first_; }
  // Hands `request` to the first start's main window, waiting a moment for
  // it to come up; false when no window took it.
  bool HandOver(const StartRequest& request);
  // Makes `main` the window later starts hand their requests to.
  void Publish(HWND main);

 private:
  HANDLE block_ = nullptr;
  void* view_ = nullptr;
  bool first_ = true;
};

// Tells a second start's WM_COPYDATA ("TVX1") from any other.
inline constexpr ULONG_PTR kHandOverTag = 0x31585654;

// The request a second start sent with WM_COPYDATA, when `data` is one.
std::optional<StartRequest> HandedOverRequest(LPARAM data);

}  // namespace tarvex
