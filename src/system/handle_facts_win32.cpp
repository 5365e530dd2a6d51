#include "system/handle_facts_win32.h"

#include <winternl.h>

namespace tarvex::sys::win32 {

std::optional<HandleFacts> FactsOf(HANDLE handle) {
  FILE_BASIC_INFO basic{};
  FILE_STANDARD_INFO standard{};
  if (!GetFileInformationByHandleEx(handle, FileBasicInfo, &basic, sizeof basic) ||
      !GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard))
    return std::nullopt;
  IO_STATUS_BLOCK io{};
  FILE_INTERNAL_INFORMATION internal{};
  if (!NT_SUCCESS(NtQueryInformationFile(handle, &io, &internal, sizeof internal, FileInternalInformation)))
    return std::nullopt;
  return HandleFacts{static_cast<std::uint64_t>(internal.IndexNumber.QuadPart), standard.EndOfFile.QuadPart,
                     basic.LastWriteTime.QuadPart, basic.FileAttributes};
}

}  // namespace tarvex::sys::win32
