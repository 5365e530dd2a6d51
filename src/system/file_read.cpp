#include "system/file_read.h"

#include <algorithm>
#include <limits>
#include <new>

#include "system/files.h"

namespace tarvex::sys {

unsigned char* FileBuffer::Prepare(std::size_t size) {
  // Even an empty file gets a valid pointer to read into.
  const std::size_t room = std::max<std::size_t>(size, 1);
  if (room > capacity_) {
    data_.reset();
    capacity_ = size_ = 0;
    // A 32-bit process may have no block this large to spare: the file is then unreadable.
    data_.reset(new (std::nothrow) unsigned char[room]);
    if (!data_) return nullptr;
    capacity_ = room;
  }
  size_ = size;
  return data_.get();
}

std::optional<FileIdentity> HeldFile::Identity() {
  if (!identity_) identity_ = handle_->Identity();
  return *identity_;
}

FileRead ReadFileIfShorter(const std::string& path, std::int64_t readBelow, FileBuffer& into) {
  into.Prepare(0);
  into.Release();
  std::unique_ptr<ReadHandle> held;
  FileRead result = ReadFileWith(
      path, readBelow, [&into](std::size_t size) { return into.Prepare(size); }, into.HoldsFiles() ? &held : nullptr);
  if (!result.read) into.Prepare(0);
  into.Hold(std::move(held));
  return result;
}

std::optional<std::vector<unsigned char>> ReadWholeFile(const std::string& path) {
  std::vector<unsigned char> bytes;
  const FileRead file =
      ReadFileWith(path, std::numeric_limits<std::int64_t>::max(), [&bytes](std::size_t size) -> unsigned char* {
        try {
          bytes.resize(size);
        } catch (const std::bad_alloc&) {
          // A 32-bit process often has no 2 GiB block to spare: the file is then unreadable.
          return nullptr;
        }
        // Even an empty file needs somewhere to be read into.
        static unsigned char nothing;
        return size ? bytes.data() : &nothing;
      });
  if (!file.read) return std::nullopt;
  return bytes;
}

}  // namespace tarvex::sys
