#include <windows.h>

#include "system/attribute_files.h"
#include "system/wide_path_win32.h"

namespace tarvex::sys {

namespace {

// The bits SetFileAttributesW takes; the others describe the entry.
constexpr std::uint32_t kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                    FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                    FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool IsDriveRootForm(const std::string& p) {
  return (p.size() == 2 || (p.size() == 3 && (p[2] == '\\' || p[2] == '/'))) && p[1] == ':';
}

class Win32AttributeFiles final : public AttributeFiles {
 public:
  std::vector<DirEntry> Entries(const std::string& folder) override {
    std::vector<DirEntry> out;
    const std::string base = !folder.empty() && folder.back() == '\\' ? folder : folder + '\\';
    for (DirEntry& e : ListDirectory(base, kAttrDirectory | kAttrHidden | kAttrSystem)) {
      if (e.name != "." && e.name != "..") out.push_back(std::move(e));
    }
    return out;
  }

  bool SetAttributes(const std::string& path, std::uint32_t attributes) override {
    std::optional<std::wstring> wide = win32::WidePath(path);
    const DWORD value = attributes & kSettable;
    return wide && SetFileAttributesW(wide->c_str(), value ? value : FILE_ATTRIBUTE_NORMAL) != 0;
  }

  // The folder is given in its final form: a drive's root, or a share's.
  bool IsVolumeRoot(const std::string& folder) override {
    if (IsDriveRootForm(folder)) return true;
    std::optional<std::wstring> wide = win32::Wide(folder + (folder.back() == '\\' ? "" : "\\"));
    wchar_t root[MAX_PATH * 2] = {};
    if (!wide || !GetVolumePathNameW(wide->c_str(), root, MAX_PATH * 2)) return false;
    std::wstring given = *wide, volume = root;
    return CompareStringOrdinal(given.c_str(), -1, volume.c_str(), -1, TRUE) == CSTR_EQUAL;
  }
};

}  // namespace

AttributeFiles& SystemAttributeFiles() {
  static Win32AttributeFiles files;
  return files;
}

}  // namespace tarvex::sys
