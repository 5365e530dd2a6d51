#pragma once
// The flash-disk guard's choice among the volumes the system announces: only
// removable drives are scanned on arrival. Fixed, network and optical drives
// also arrive (a mapped share, a disc) and are the user's own business.
#include <cstdint>
#include <string>
#include <vector>

#include "system/drives.h"

namespace tarvex {

// The roots ("E:\") of the drives in `unitMask` (bit 0 = A:) that are removable.
std::vector<std::string> RemovableRoots(std::uint32_t unitMask, const sys::DriveTypeService& driveType);

}  // namespace tarvex
