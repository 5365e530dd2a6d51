#pragma once
// What tells one file from every other, taken from a handle open on it: a
// file put in its place has another index, a stick swapped for another of the
// same layout another volume, a file changed in place another size or
// last-write time.
#include <cstdint>
#include <string>

namespace tarvex::sys {

struct FileIdentity {
  std::uint64_t volume = 0;  // the volume's serial number on Windows, the device natively
  std::uint64_t index = 0;
  std::int64_t size = 0;
  std::int64_t lastWrite = 0;  // in the platform's own units
  // Where the file lay when it was identified: the name it was found by, its
  // folder's links and drive aliases resolved. A change reaches the file
  // through it without following any link (natively), or finds the handle
  // there again (Windows): a folder swapped for a link since tells. Empty
  // when unknown.
  std::string finalPath;

  // The same file, unchanged, wherever it lies now.
  bool SameFile(const FileIdentity& o) const {
    return volume == o.volume && index == o.index && size == o.size && lastWrite == o.lastWrite;
  }
};

}  // namespace tarvex::sys
