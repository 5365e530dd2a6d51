#pragma once
// The system's announcement of new volumes (WM_DEVICECHANGE), which every
// top-level window receives without registering for it.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace tarvex::sys {

// The drive-letter mask (bit 0 = A:) of a volume arrival, or no value for
// any other device change.
std::optional<std::uint32_t> ArrivedVolumes(WPARAM event, LPARAM data);

}  // namespace tarvex::sys
