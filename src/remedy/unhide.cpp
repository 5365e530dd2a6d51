#include "remedy/unhide.h"

#include <vector>

#include "remedy/unhide_rules.h"

namespace tarvex::unhide {

namespace {

constexpr std::uint32_t kHiding = sys::kAttrHidden | sys::kAttrSystem | sys::kAttrReadOnly;
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

// A folder still to visit, and the blank folder it lies in (none: -1).
struct Pending {
  std::string path;
  int blank = -1;
};

}  // namespace

bool IsBlankName(const std::string& name) {
  std::string_view rest = name;
  while (!rest.empty()) {
    if (rest.front() == ' ') rest.remove_prefix(1);
    else if (rest.starts_with(kNoBreakSpace)) rest.remove_prefix(kNoBreakSpace.size());
    else return false;
  }
  return !name.empty();
}

UnhideCounts UnhideBelow(const std::string& folder, sys::AttributeFiles& files,
                         const std::function<bool(const std::string& folder)>& mayEnter) {
  UnhideCounts counts;
  // A list of folders still to visit rather than recursion: a worm's tree may
  // be deeper than the stack.
  std::vector<Pending> pending = {{folder}};
  while (!pending.empty()) {
    Pending current = std::move(pending.back());
    pending.pop_back();
    const bool atRoot = files.IsVolumeRoot(current.path);
    for (const sys::DirEntry& entry : files.Entries(current.path)) {
      const bool isFolder = entry.attributes & sys::kAttrDirectory;
      if (current.blank >= 0 && !isFolder) ++counts.blankFolders[current.blank].files;
      if (KeepsItsAttributes(entry, atRoot)) continue;
      const std::string path = sys::WithSeparator(current.path) + entry.name;
      const bool enter = isFolder && !(entry.attributes & sys::kAttrReparsePoint);
      if (enter && !mayEnter(path)) continue;
      if (entry.attributes & kHiding) {
        if (!files.SetAttributes(path, entry.attributes & ~kHiding)) {
          ++counts.unchanged;
        } else if (entry.attributes & sys::kAttrHidden) {
          ++counts.broughtBack;
        }
      }
      if (!enter) continue;
      int blank = current.blank;
      if (current.path == folder && IsBlankName(entry.name)) {
        blank = static_cast<int>(counts.blankFolders.size());
        counts.blankFolders.push_back({path});
      }
      pending.push_back({path, blank});
    }
  }
  return counts;
}

}  // namespace tarvex::unhide
