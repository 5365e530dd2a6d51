#include "system/system_folders.h"

namespace tarvex::sys {

// No folder of the host can be harmed by an unhide: the only attributes it
// changes natively are those of a FAT file system.
SystemFolders TheSystemFolders() { return {}; }

}  // namespace tarvex::sys
