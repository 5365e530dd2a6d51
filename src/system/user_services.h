#pragma once
// The services a window's state class needs from the user's desktop that a
// test cannot click through. Each state class takes the ones it uses in one
// services struct, with no defaults; the App fills in the real ones.
#include <functional>
#include <optional>
#include <string>

#include "base/geometry.h"

namespace tarvex::sys {

// Message box flags and answers, with the platform's values.
enum MessageFlag : unsigned {
  kMbOk = 0x0,
  kMbYesNo = 0x4,
  kMbIconQuestion = 0x20,
  kMbIconExclamation = 0x30,
};
enum MessageAnswer : int { kIdOk = 1, kIdYes = 6, kIdNo = 7 };

// Shows a message box owned by the calling window and returns the answer; an
// empty title shows the application's title.
using MessageBoxService = std::function<int(const std::string& text, unsigned flags, const std::string& title)>;

// The shell's folder browser: the chosen folder, or no value when cancelled.
using FolderBrowserService = std::function<std::optional<std::string>()>;

// The shell's "open" of a file or web address, for the calling window; the
// result is not examined.
using ShellOpenService = std::function<void(const std::string& fileOrAddress)>;

// The desktop work area (the screen without the task bar), in pixels.
using WorkAreaService = std::function<ui::Box()>;

}  // namespace tarvex::sys
