#pragma once
// What the unhide may change. A virus hides the user's files by setting the
// hidden, system and read-only attributes; clearing them is harmless on a
// flash disk and fatal on the system's own folders, so the target is judged
// only after it has been resolved to its final form (system/final_path.h).
#include <optional>
#include <string>
#include <string_view>

#include "system/drives.h"
#include "system/files.h"
#include "system/system_folders.h"

namespace tarvex::unhide {

// Why an unhide of `resolved` is refused, as the end of a sentence ("the
// Windows folder"); no value when it may go ahead. Refused: the Windows
// drive's root, the root of any drive `driveType` calls fixed, the Windows
// folder and everything in it, the Program Files folders, ProgramData, the
// Users folder, each profile's own folder, and the administrative shares
// \\host\C$ and \\host\ADMIN$ with everything in them. Letter case, a
// trailing separator and the long-path forms (\\?\C:\, \\?\UNC\host\C$)
// make no difference.
std::optional<std::string> RefusalReason(std::string_view resolved, const sys::SystemFolders& system,
                                         const sys::DriveTypeService& driveType = {});

// Entries that keep their attributes: the system's own folders at a drive's
// root (System Volume Information, $RECYCLE.BIN, RECYCLER), which are not
// entered either, and the files that are meant to stay hidden (desktop.ini,
// thumbs.db) wherever they are.
bool KeepsItsAttributes(const sys::DirEntry& entry, bool atDriveRoot);

}  // namespace tarvex::unhide
