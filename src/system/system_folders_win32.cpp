#include <windows.h>
#include <shlobj.h>

#include "system/files.h"
#include "system/final_path.h"
#include "system/system_folders.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

// A folder in the form a resolved target has; the system's own spelling when
// it cannot be resolved (a compare then still catches the plain form).
std::string Final(const std::string& path) {
  if (path.empty()) return path;
  FinalPath final = ResolveFinalPath(path);
  return final.kind == FinalPath::Kind::Folder ? final.path : path;
}

std::string Known(REFKNOWNFOLDERID id) {
  PWSTR path = nullptr;
  std::string out;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path) out = win32::Utf8(path).value_or("");
  CoTaskMemFree(path);
  return Final(out);
}

std::string Environment(const wchar_t* name) {
  wchar_t buf[MAX_PATH * 2] = {};
  DWORD n = GetEnvironmentVariableW(name, buf, MAX_PATH * 2);
  return n > 0 && n < MAX_PATH * 2 ? Final(win32::Utf8(buf).value_or("")) : std::string();
}

std::wstring Expanded(const std::wstring& text) {
  wchar_t buf[MAX_PATH * 2] = {};
  DWORD n = ExpandEnvironmentStringsW(text.c_str(), buf, MAX_PATH * 2);
  return n > 0 && n <= MAX_PATH * 2 ? std::wstring(buf) : text;
}

// The profiles the system keeps a record of, wherever they live.
std::vector<std::string> RegisteredProfiles() {
  std::vector<std::string> out;
  HKEY list = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", 0,
                    KEY_READ | KEY_WOW64_64KEY, &list) != ERROR_SUCCESS)
    return out;
  wchar_t sid[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(list, i, sid, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    wchar_t image[MAX_PATH * 2] = {};
    DWORD bytes = sizeof image - sizeof(wchar_t);
    if (RegGetValueW(list, sid, L"ProfileImagePath", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, image,
                     &bytes) == ERROR_SUCCESS) {
      out.push_back(Final(win32::Utf8(Expanded(image)).value_or("")));
    }
  }
  RegCloseKey(list);
  return out;
}

}  // namespace

SystemFolders TheSystemFolders() {
  SystemFolders folders;
  folders.windows = Known(FOLDERID_Windows);
  if (folders.windows.empty()) {
    wchar_t buf[MAX_PATH] = {};
    if (GetWindowsDirectoryW(buf, MAX_PATH)) folders.windows = Final(win32::Utf8(buf).value_or(""));
  }
  // A 32-bit program is told the x86 folder under both names; the 64-bit one
  // is only in the environment.
  folders.programFiles = {Known(FOLDERID_ProgramFiles), Known(FOLDERID_ProgramFilesX86), Environment(L"ProgramW6432"),
                          Environment(L"ProgramFiles"), Environment(L"ProgramFiles(x86)")};
  folders.programData = Known(FOLDERID_ProgramData);
  folders.users = Known(FOLDERID_UserProfiles);
  folders.profiles = RegisteredProfiles();
  folders.profiles.push_back(Known(FOLDERID_Profile));
  folders.profiles.push_back(Known(FOLDERID_Public));
  // Every folder of the Users folder is some profile's own (Default, Public, ...).
  if (!folders.users.empty()) {
    for (const DirEntry& e : ListDirectory(folders.users + "\\*", kAttrDirectory | kAttrHidden | kAttrSystem)) {
      if ((e.attributes & kAttrDirectory) && e.name != "." && e.name != "..")
        folders.profiles.push_back(folders.users + "\\" + e.name);
    }
  }
  return folders;
}

}  // namespace tarvex::sys
