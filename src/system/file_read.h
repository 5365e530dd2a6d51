#pragma once
// Reading files at the speed of the disk cache: one buffer kept from file to
// file, and the size and last-write time that tell whether a file changed.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "system/file_identity.h"

namespace tarvex::sys {

// The file a read came from, still open, so that what identifies it is asked
// of the handle that read it, and only once a check found something in it:
// on Windows its volume is a question to the system that a scan cannot ask
// of every file.
class ReadHandle {
 public:
  virtual ~ReadHandle() = default;
  // No value when the system cannot say, or when the file read lies
  // elsewhere than its name says (a link the listing did not show).
  virtual std::optional<FileIdentity> Identity() = 0;
};

// A file read, held open while anyone keeps it; its identity is asked of its
// handle once.
class HeldFile {
 public:
  explicit HeldFile(std::unique_ptr<ReadHandle> handle) : handle_(std::move(handle)) {}
  std::optional<FileIdentity> Identity();

 private:
  std::unique_ptr<ReadHandle> handle_;
  std::optional<std::optional<FileIdentity>> identity_;
};

// Memory reused from one file to the next: no allocation and no zeroing per
// file. A scan's buffer also holds the file it read last.
class FileBuffer {
 public:
  // Room for `size` bytes, contents undefined; null when there is no memory.
  unsigned char* Prepare(std::size_t size);
  const unsigned char* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }

  // A scan's buffer: a file is read only when its name is no link, and stays
  // open until the next read or Release.
  void HoldFiles() { holds_ = true; }
  bool HoldsFiles() const { return holds_; }
  void Hold(std::unique_ptr<ReadHandle> file) { held_ = file ? std::make_shared<HeldFile>(std::move(file)) : nullptr; }
  // The file held, shared with whoever keeps it beyond the next read; null when none is.
  const std::shared_ptr<HeldFile>& Held() const { return held_; }
  // The buffer lets go of its file: a scan must not keep a flash disk busy.
  void Release() { held_.reset(); }

 private:
  std::unique_ptr<unsigned char[]> data_;
  std::size_t capacity_ = 0;
  std::size_t size_ = 0;
  bool holds_ = false;
  std::shared_ptr<HeldFile> held_;
};

// One look at a file: its length, and its content when it was short enough.
struct FileRead {
  std::optional<std::int64_t> length;  // no value: missing, or no ordinary file
  bool read = false;                   // the buffer holds the whole file
};

// Opens the file once for its length and, when the length is below
// `readBelow`, reads all of it (as many bytes as its length when opened) into
// `into`. A file that cannot be opened still has the length its directory
// entry gives, as a length query alone would find it; `read` is then false.
// Files of 2 GiB or larger are never read: ReadWholeFile gives up on them too.
FileRead ReadFileIfShorter(const std::string& path, std::int64_t readBelow, FileBuffer& into);

// The same look, reading into the memory `room(length)` gives; a null answer
// (no memory) leaves the file unread. With `held`, a link at the name is not
// followed and the file stays open there. The platform's own part of both reads.
FileRead ReadFileWith(const std::string& path, std::int64_t readBelow,
                      const std::function<unsigned char*(std::size_t)>& room,
                      std::unique_ptr<ReadHandle>* held = nullptr);

// The first `count` bytes of a file (fewer when it is shorter); empty when it
// cannot be read.
std::string ReadFileHead(const std::string& path, std::size_t count);

// Size and last-write time: a file whose stamp is unchanged is taken to be
// unchanged.
struct FileStamp {
  std::int64_t size = 0;
  std::int64_t lastWrite = 0;  // in the platform's own units
  bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> FileStampOf(const std::string& path);

}  // namespace tarvex::sys
