#pragma once
// What the system knows of an open file or folder. The cheap facts (index,
// size, times, attributes) are read for every file a scan opens; the volume
// and the final path only for a file something was found in, since under
// emulation each is a trip to the mount manager or the server costing more
// than the whole read.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "system/file_identity.h"

namespace tarvex::sys::win32 {

struct HandleFacts {
  std::uint64_t index = 0;  // 0 on file systems that number nothing
  std::int64_t size = 0;
  std::int64_t lastWrite = 0;
  DWORD attributes = 0;
};

// The handle needs FILE_READ_ATTRIBUTES.
std::optional<HandleFacts> FactsOf(HANDLE handle);

// The path the handle's file has after every link and junction, in the
// program's own form ("C:\...", "\\host\share\..."); no value when the system
// cannot say or the path holds a lone surrogate.
std::optional<std::string> FinalPathOf(HANDLE handle);
// The same in the system's form ("\\?\C:\...").
std::optional<std::wstring> SystemFinalPathOf(HANDLE handle);

// Two paths the system would take for one: letter case ignored as the file
// systems ignore it.
bool SamePath(const std::string& a, const std::string& b);

// What identifies the disk file behind the handle, its volume and final path
// included; no value for a pipe, a device, a folder or a link opened as
// itself, or when the system cannot say.
std::optional<FileIdentity> IdentityOf(HANDLE handle);
// The same, only when the file lies where `path` names it: the file behind a
// link that the listing did not show (wine shows no Linux link to a file as
// one) lies elsewhere and has none.
std::optional<FileIdentity> IdentityAt(HANDLE handle, const std::string& path);

}  // namespace tarvex::sys::win32
