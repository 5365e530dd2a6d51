#include "system/device_arrival_win32.h"

#include <dbt.h>

namespace tarvex::sys {

std::optional<std::uint32_t> ArrivedVolumes(WPARAM event, LPARAM data) {
  if (event != DBT_DEVICEARRIVAL || data == 0) return std::nullopt;
  const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
  if (header->dbch_devicetype != DBT_DEVTYP_VOLUME || header->dbch_size < sizeof(DEV_BROADCAST_VOLUME))
    return std::nullopt;
  return reinterpret_cast<const DEV_BROADCAST_VOLUME*>(data)->dbcv_unitmask;
}

}  // namespace tarvex::sys
