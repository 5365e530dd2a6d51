#pragma once
// Shortcuts as the system's shell makes them (IShellLinkW saved through
// IPersistFile), and the flash disk of shortcut_stick.h written with them.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "base/wide_text_win32.h"
#include "support/shortcut_stick.h"
#include "support/temp_tree_win32.h"
#include "system/wide_path_win32.h"

namespace tarvex::testing {

// Makes the shortcut `linkPath` to `target`; false when the shell refused.
inline bool MakeShortcut(const std::string& linkPath, const StickShortcut& s, const std::string& caseFolder) {
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  bool saved = false;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    auto wide = [](const std::string& text) { return sys::win32::Wide(text).value_or(L""); };
    bool set = SUCCEEDED(link->SetPath(wide(InCase(s.target, caseFolder)).c_str()));
    if (!s.arguments.empty()) set = set && SUCCEEDED(link->SetArguments(wide(s.arguments).c_str()));
    if (!s.workingDir.empty())
      set = set && SUCCEEDED(link->SetWorkingDirectory(wide(InCase(s.workingDir, caseFolder)).c_str()));
    if (!s.icon.empty()) set = set && SUCCEEDED(link->SetIconLocation(wide(s.icon).c_str(), s.iconIndex));
    IPersistFile* file = nullptr;
    if (set && SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved = SUCCEEDED(file->Save(wide(linkPath).c_str(), TRUE));
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return saved;
}

// One case of the table in `folder` (ending in a backslash): its files, its
// shortcuts made by the shell, and then the attributes, folders last, so that
// nothing is written into a hidden folder. False when anything failed.
inline bool WriteCase(const ShortcutCase& c, const std::string& folder) {
  auto wide = [](const std::string& path) { return sys::win32::WidePath(path).value_or(L""); };
  bool ok = true;
  // Every folder on the way to the last backslash; those there already stay.
  auto makeFolders = [&](const std::string& path) {
    for (std::size_t at = path.find('\\') + 1; (at = path.find('\\', at)) != std::string::npos; ++at)
      CreateDirectoryW(wide(path.substr(0, at)).c_str(), nullptr);
  };
  makeFolders(folder);
  for (const StickFile& f : c.files) {
    const std::string path = folder + f.path;
    makeFolders(path);
    if (path.back() == '\\') continue;
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::string content = ContentOf(f);
    DWORD written = 0;
    ok = ok && h != INVALID_HANDLE_VALUE && WriteFile(h, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  const std::string caseFolder = folder.substr(0, folder.size() - 1);
  for (const StickShortcut& s : c.shortcuts) ok = MakeShortcut(folder + s.name, s, caseFolder) && ok;
  for (auto f = c.files.rbegin(); f != c.files.rend(); ++f) {
    std::string path = folder + f->path;
    if (path.back() == '\\') path.pop_back();
    if (f->attributes) ok = SetFileAttributesW(wide(path).c_str(), f->attributes) && ok;
  }
  return ok;
}

// The removable drive R: of the test's wine prefix (scripts/wine.sh), empty
// when a test begins and again when it ends.
class TestStick {
 public:
  TestStick() { Empty(); }
  ~TestStick() { Empty(); }
  TestStick(const TestStick&) = delete;
  TestStick& operator=(const TestStick&) = delete;
  static void Empty() { TempTree::RemoveContents(L"R:"); }
};

}  // namespace tarvex::testing
