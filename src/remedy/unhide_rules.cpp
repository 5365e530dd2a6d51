#include "remedy/unhide_rules.h"

#include <array>

namespace tarvex::unhide {

namespace {

char Folded(char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  return c == '/' ? '\\' : c;
}

// Comparable form: lower-case ASCII, one kind of separator, none at the end
// ("C:\" and "C:" alike). The file system's case table for other letters is
// not at hand here; the system's folders are spelled in ASCII.
std::string Key(std::string_view path) {
  std::string key;
  for (char c : path) key += Folded(c);
  while (key.size() > 1 && key.back() == '\\') key.pop_back();
  return key;
}

bool Same(std::string_view a, std::string_view b) { return !b.empty() && Key(a) == Key(b); }

bool Within(std::string_view path, std::string_view folder) {
  if (folder.empty()) return false;
  const std::string p = Key(path), f = Key(folder);
  return p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '\\');
}

std::string_view DriveOf(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string_view();
}

bool IsUnc(std::string_view path) {
  return path.size() > 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
}

// The share of a UNC path, "C$" of \\host\C$\Data; empty for any other path.
std::string ShareOf(std::string_view path) {
  if (!IsUnc(path)) return {};
  const std::string key = Key(path);
  std::size_t host = key.find('\\', 2);
  if (host == std::string::npos) return {};
  std::size_t end = key.find('\\', host + 1);
  return key.substr(host + 1, end == std::string::npos ? std::string::npos : end - host - 1);
}

bool IsAdminShare(std::string_view path) {
  const std::string share = ShareOf(path);
  return (share.size() == 2 && share[0] >= 'a' && share[0] <= 'z' && share[1] == '$') || share == "admin$";
}

// "\\?\C:\x" and "\\.\C:\x" are C:\x, "\\?\UNC\host\share" is \\host\share.
std::string WithoutLongPrefix(std::string_view path) {
  std::string head;
  for (char c : path.substr(0, 8)) head += Folded(c);
  if (head == "\\\\?\\unc\\" || head == "\\\\.\\unc\\") return "\\\\" + std::string(path.substr(8));
  if (head.rfind("\\\\?\\", 0) == 0 || head.rfind("\\\\.\\", 0) == 0) return std::string(path.substr(4));
  return std::string(path);
}

bool IsFixedDriveRoot(std::string_view path, const sys::DriveTypeService& driveType) {
  const std::string_view drive = DriveOf(path);
  if (drive.empty() || !driveType || Key(path) != Key(drive)) return false;
  return driveType(std::string(drive) + "\\") == sys::DriveType::Fixed;
}

constexpr std::array<std::string_view, 3> kDriveFolders = {"system volume information", "$recycle.bin", "recycler"};
constexpr std::array<std::string_view, 2> kHiddenFiles = {"desktop.ini", "thumbs.db"};

}  // namespace

std::optional<std::string> RefusalReason(std::string_view given, const sys::SystemFolders& system,
                                         const sys::DriveTypeService& driveType) {
  const std::string plain = WithoutLongPrefix(given);
  const std::string_view resolved = plain;
  if (IsAdminShare(resolved)) return "an administrative share";
  if (Same(resolved, DriveOf(system.windows))) return "the root of the Windows drive";
  if (IsFixedDriveRoot(resolved, driveType)) return "the root of a fixed drive";
  if (Within(resolved, system.windows)) return "the Windows folder";
  for (const std::string& folder : system.programFiles) {
    if (Same(resolved, folder)) return "a Program Files folder";
  }
  if (Same(resolved, system.programData)) return "the ProgramData folder";
  if (Same(resolved, system.users)) return "the Users folder";
  for (const std::string& profile : system.profiles) {
    if (Same(resolved, profile)) return "a user's profile folder";
  }
  return std::nullopt;
}

bool KeepsItsAttributes(const sys::DirEntry& entry, bool atDriveRoot) {
  const std::string name = Key(entry.name);
  if (entry.attributes & sys::kAttrDirectory) {
    if (!atDriveRoot) return false;
    for (std::string_view folder : kDriveFolders) {
      if (name == folder) return true;
    }
    return false;
  }
  for (std::string_view file : kHiddenFiles) {
    if (name == file) return true;
  }
  return false;
}

}  // namespace tarvex::unhide
