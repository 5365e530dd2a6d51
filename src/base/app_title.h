#pragma once

namespace tarvex {

// Shown as the title of every message box that sets none of its own.
inline constexpr const char* kApplicationTitle = "Tarvex Project";

}  // namespace tarvex
