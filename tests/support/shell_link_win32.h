#pragma once
// Shortcuts as the system's shell makes them (IShellLinkW saved through
// IPersistFile), and the cases of shortcut_stick.h written with them.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "base/wide_text_win32.h"
#include "support/shortcut_stick.h"
#include "support/temp_tree_win32.h"

namespace tarvex::testing {

// The shortcut `s` of a case in `caseFolder`, saved by the shell as `linkPath`.
inline bool MakeShortcut(const std::string& linkPath, const StickShortcut& s, const std::string& caseFolder) {
  auto wide = [&](const std::string& text) { return sys::win32::Wide(InCase(text, caseFolder)).value_or(L""); };
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  IPersistFile* file = nullptr;
  bool saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                          reinterpret_cast<void**>(&link))) &&
               SUCCEEDED(link->SetPath(wide(s.target).c_str())) &&
               (s.arguments.empty() || SUCCEEDED(link->SetArguments(wide(s.arguments).c_str()))) &&
               (s.workingDir.empty() || SUCCEEDED(link->SetWorkingDirectory(wide(s.workingDir).c_str()))) &&
               (s.folderIcon < 0 ||
                SUCCEEDED(link->SetIconLocation(L"C:\\windows\\system32\\shell32.dll", s.folderIcon))) &&
               SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
               SUCCEEDED(file->Save(wide(linkPath).c_str(), TRUE));
  if (file) file->Release();
  if (link) link->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  return saved;
}

// A case in `folder` (ending in a backslash): its files, then its shortcuts
// made by the shell, then the hidden and system attributes, folders last.
inline bool WriteCase(const ShortcutCase& c, const std::string& folder) {
  TempTree::MakeFolders(folder, folder.find('\\') + 1);
  bool ok = true;
  for (const std::string& f : c.files) {
    TempTree::MakeFolders(folder + InCase(f), folder.size());
    if (InCase(f).back() != '\\') ok = TempTree::Put(folder + InCase(f), "the file " + InCase(f)) && ok;
  }
  for (const StickShortcut& s : c.shortcuts) ok = MakeShortcut(folder + s.name, s, folder.substr(0, folder.size() - 1)) && ok;
  for (auto f = c.files.rbegin(); f != c.files.rend(); ++f) {
    std::string path = folder + InCase(*f);
    if (path.back() == '\\') path.pop_back();
    if ((*f)[0] == '*') ok = SetFileAttributesW(TempTree::Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) && ok;
  }
  return ok;
}

// The removable drive R: of the test's wine prefix (scripts/wine.sh), empty
// when a test begins and again when it ends.
struct TestStick {
  TestStick() { TempTree::RemoveContents(L"R:"); }
  ~TestStick() { TempTree::RemoveContents(L"R:"); }
};

}  // namespace tarvex::testing
