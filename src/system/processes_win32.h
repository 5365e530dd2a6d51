#pragma once
// The two ways the Win32 layer asks for a process's executable, apart so that
// the tests can check each against a real process. Both ask the wide
// functions and give UTF-8 without the long-path prefix, the form of the
// paths a scan builds; "" for a path UTF-8 cannot carry.
#include <cstdint>
#include <optional>
#include <string>

namespace tarvex::sys::win32 {

// First module of the process, read through the process status calls; fails
// ("") for a process of another bitness, such as a 64-bit process seen from
// the 32-bit program.
std::string FirstModulePath(std::uint32_t pid);

// When the process started (the system's file time); with its id, it tells
// one process from a later one that got the same id. No value when it cannot
// be queried.
std::optional<std::uint64_t> StartTime(std::uint32_t pid);

// The platform's full image name (drive-letter form) under limited query
// rights; "" when the call is missing (before Vista) or fails.
std::string FullImageName(std::uint32_t pid);

}  // namespace tarvex::sys::win32
