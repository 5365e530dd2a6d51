#pragma once
// Tarvex.db held as a lookup table for as long as the file stays the same:
// read and parsed once, and again only when its size or last-write time
// changes.
#include <functional>
#include <optional>
#include <string>

#include "signatures/crc_signature_table.h"
#include "system/file_read.h"

namespace tarvex {

// How the database file is looked at and read.
struct DatabaseFiles {
  std::function<std::optional<sys::FileStamp>(const std::string& path)> stamp;
  std::function<bool(const std::string& path, sys::FileBuffer& into)> read;
};

class CrcDatabase {
 public:
  CrcDatabase(std::string path, DatabaseFiles files) : path_(std::move(path)), files_(std::move(files)) {}

  enum class State { Unchanged, Loaded, Unreadable };
  // Reads the file again when it changed since the last call (or was never
  // read). An unreadable file leaves an empty table, which finds nothing,
  // and is tried again next time.
  State Refresh();

  // The virus name for a checksum text, as LookupCrc gives it for the file
  // as it was at the last Refresh.
  std::string Lookup(const std::string& checksumText) const { return table_.Lookup(checksumText); }

  const CrcSignatureTable& Table() const { return table_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  DatabaseFiles files_;
  std::optional<sys::FileStamp> stamp_;
  CrcSignatureTable table_;
};

}  // namespace tarvex
