#pragma once
// The unhide itself: clears the hidden, system and read-only attributes of
// everything below a folder the caller has already judged (remedy/unhide_rules.h).
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "system/attribute_files.h"

namespace tarvex::unhide {

// A folder right below the unhidden one whose name is only blanks: where a
// worm puts the user's files, to show itself in their place.
struct BlankFolder {
  std::string path;
  std::uint64_t files = 0;  // at every depth
};

struct UnhideCounts {
  std::uint64_t broughtBack = 0;  // hidden entries that are hidden no more
  std::uint64_t unchanged = 0;    // entries whose attributes could not be cleared
  std::vector<BlankFolder> blankFolders;
};

// A name of no-break spaces (U+00A0) and spaces only, which Explorer shows as none.
bool IsBlankName(const std::string& name);

// Every depth below `folder`, the folder itself left as it is. Links to
// folders are cleared but not entered: one inside a flash disk may lead to
// the Windows folder. Every other folder below is first put to `mayEnter`:
// one it refuses (it is, in truth, a place of the system's own) is neither
// changed nor entered. The folders of blank names right below `folder` are
// told with the files they hold; nothing is moved out of them.
UnhideCounts UnhideBelow(const std::string& folder, sys::AttributeFiles& files,
                         const std::function<bool(const std::string& folder)>& mayEnter);

}  // namespace tarvex::unhide
