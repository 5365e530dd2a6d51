#include "remedy/unhide.h"

#include <vector>

#include "remedy/unhide_rules.h"

namespace tarvex::unhide {

namespace {

constexpr std::uint32_t kHiding = sys::kAttrHidden | sys::kAttrSystem | sys::kAttrReadOnly;

}  // namespace

UnhideCounts UnhideBelow(const std::string& folder, sys::AttributeFiles& files,
                         const std::function<bool(const std::string& folder)>& mayEnter) {
  UnhideCounts counts;
  // A list of folders still to visit rather than recursion: a worm's tree may
  // be deeper than the stack.
  std::vector<std::string> pending = {folder};
  while (!pending.empty()) {
    const std::string current = std::move(pending.back());
    pending.pop_back();
    const bool atRoot = files.IsVolumeRoot(current);
    for (const sys::DirEntry& entry : files.Entries(current)) {
      if (KeepsItsAttributes(entry, atRoot)) continue;
      const std::string path = sys::WithSeparator(current) + entry.name;
      const bool enter = (entry.attributes & sys::kAttrDirectory) && !(entry.attributes & sys::kAttrReparsePoint);
      if (enter && !mayEnter(path)) continue;
      if (entry.attributes & kHiding) {
        if (!files.SetAttributes(path, entry.attributes & ~kHiding)) {
          ++counts.unchanged;
        } else if (entry.attributes & sys::kAttrHidden) {
          ++counts.broughtBack;
        }
      }
      if (enter) pending.push_back(path);
    }
  }
  return counts;
}

}  // namespace tarvex::unhide
