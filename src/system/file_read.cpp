#include "system/file_read.h"

#include <new>

namespace tarvex::sys {

unsigned char* FileBuffer::Prepare(std::size_t size) {
  if (size > capacity_) {
    data_.reset();
    capacity_ = size_ = 0;
    // A 32-bit process may have no block this large to spare: the file is then unreadable.
    data_.reset(new (std::nothrow) unsigned char[size]);
    if (!data_) return nullptr;
    capacity_ = size;
  }
  size_ = size;
  // Even an empty file gets a valid pointer to read into.
  if (!data_) {
    data_.reset(new (std::nothrow) unsigned char[1]);
    capacity_ = data_ ? 1 : 0;
  }
  return data_.get();
}

}  // namespace tarvex::sys
