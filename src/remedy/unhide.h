#pragma once
// The unhide itself: clears the hidden, system and read-only attributes of
// everything below a folder the caller has already judged (remedy/unhide_rules.h).
#include <cstdint>
#include <functional>
#include <string>

#include "system/attribute_files.h"

namespace tarvex::unhide {

struct UnhideCounts {
  std::uint64_t broughtBack = 0;  // hidden entries that are hidden no more
  std::uint64_t unchanged = 0;    // entries whose attributes could not be cleared
};

// Every depth below `folder`, the folder itself left as it is. Links to
// folders are cleared but not entered: one inside a flash disk may lead to
// the Windows folder. Every other folder below is first put to `mayEnter`:
// one it refuses (it is, in truth, a place of the system's own) is neither
// changed nor entered.
UnhideCounts UnhideBelow(const std::string& folder, sys::AttributeFiles& files,
                         const std::function<bool(const std::string& folder)>& mayEnter);

}  // namespace tarvex::unhide
