#pragma once
// What the system knows of an open file or folder, read without asking for
// its volume: that question goes to the mount manager, which under emulation
// was seen never to answer, and every scanned folder and found file would
// ask it. Within one walk, and between a scan and its clean-up, the volume of
// a name does not change, so the index number tells files apart.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace tarvex::sys::win32 {

struct HandleFacts {
  std::uint64_t index = 0;  // 0 on file systems that number nothing
  std::int64_t size = 0;
  std::int64_t lastWrite = 0;
  DWORD attributes = 0;
};

// The handle needs FILE_READ_ATTRIBUTES.
std::optional<HandleFacts> FactsOf(HANDLE handle);

}  // namespace tarvex::sys::win32
