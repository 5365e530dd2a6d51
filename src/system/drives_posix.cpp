#include "system/drives.h"

namespace tarvex::sys {

// The host names no drives by letter.
DriveType DriveTypeOf(const std::string&) { return DriveType::Unknown; }

}  // namespace tarvex::sys
