#include "scan/crc_database.h"

#include <string_view>

namespace tarvex {

CrcDatabase::State CrcDatabase::Refresh() {
  // The stamp is taken before the read: a change made while reading shows
  // up as a new stamp next time, never as a stale table kept for good.
  std::optional<sys::FileStamp> now = files_.stamp(path_);
  if (now && stamp_ && *now == *stamp_) return State::Unchanged;

  sys::FileBuffer text;
  if (!now || !files_.read(path_, text)) {
    stamp_.reset();
    table_ = CrcSignatureTable();
    return State::Unreadable;
  }
  table_ = CrcSignatureTable::FromText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
  stamp_ = now;
  return State::Loaded;
}

}  // namespace tarvex
