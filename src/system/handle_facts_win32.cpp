#include "system/handle_facts_win32.h"

#include <winternl.h>

#include "system/files.h"
#include "system/final_path.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys::win32 {

namespace {

// FileIdInfo of Windows 8 and later, past the version the headers are set to.
struct FileIdRecord {
  ULONGLONG volumeSerialNumber;
  BYTE fileId[16];
};
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);

// The volume's serial number: the 64-bit one of FileIdInfo where the system
// has it (Windows 8 on), the classic one before.
std::optional<std::uint64_t> VolumeOf(HANDLE handle) {
  FileIdRecord id{};
  if (GetFileInformationByHandleEx(handle, kFileIdInfo, &id, sizeof id)) return id.volumeSerialNumber;
  DWORD serial = 0;
  if (GetVolumeInformationByHandleW(handle, nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return serial;
  return std::nullopt;
}

std::wstring NameOf(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

}  // namespace

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

std::optional<std::wstring> SystemFinalPathOf(HANDLE handle) {
  DWORD n = GetFinalPathNameByHandleW(handle, nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0) return std::nullopt;
  std::wstring buf(n + 1, L'\0');
  n = GetFinalPathNameByHandleW(handle, buf.data(), n + 1, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0 || n >= buf.size()) return std::nullopt;
  buf.resize(n);
  return buf;
}

std::optional<std::string> FinalPathOf(HANDLE handle) {
  const std::optional<std::wstring> final = SystemFinalPathOf(handle);
  return final ? ReportedPath(*final) : std::nullopt;
}

bool SamePath(const std::string& a, const std::string& b) {
  const std::optional<std::wstring> wa = Wide(a), wb = Wide(b);
  return wa && wb &&
         CompareStringOrdinal(wa->data(), static_cast<int>(wa->size()), wb->data(), static_cast<int>(wb->size()),
                              TRUE) == CSTR_EQUAL;
}

std::optional<FileIdentity> IdentityOf(HANDLE handle) {
  if (GetFileType(handle) != FILE_TYPE_DISK) return std::nullopt;
  const std::optional<HandleFacts> facts = FactsOf(handle);
  if (!facts || (facts->attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) return std::nullopt;
  const std::optional<std::uint64_t> volume = VolumeOf(handle);
  if (!volume) return std::nullopt;
  return FileIdentity{*volume, facts->index, facts->size, facts->lastWrite, FinalPathOf(handle).value_or("")};
}

std::optional<FileIdentity> IdentityAt(HANDLE handle, const std::string& path) {
  std::optional<FileIdentity> identity = IdentityOf(handle);
  if (!identity || identity->finalPath.empty()) return identity;
  // The folder the file lies in, as its own handle resolves, is the folder
  // its name was listed in; and the name is that name exactly (a twin that
  // differs in letter case is another file), or its short form.
  const std::string listed = FolderOf(path), final = FolderOf(identity->finalPath);
  const FinalPath folder = ResolveFinalPath(listed.empty() ? "." : listed);
  if (folder.kind != FinalPath::Kind::Folder || !SamePath(WithSeparator(folder.path), final)) return std::nullopt;
  const std::string name = path.substr(listed.size()), finalName = identity->finalPath.substr(final.size());
  if (name == finalName) return identity;
  const std::optional<std::wstring> wide = WidePath(identity->finalPath);
  std::wstring shortPath(32768, L'\0');
  const DWORD n = wide ? GetShortPathNameW(wide->c_str(), shortPath.data(), 32768) : 0;
  shortPath.resize(n < 32768 ? n : 0);
  const std::optional<std::wstring> wideName = Wide(name);
  if (wideName && !shortPath.empty() && NameOf(shortPath) == *wideName) return identity;
  return std::nullopt;
}

}  // namespace tarvex::sys::win32
