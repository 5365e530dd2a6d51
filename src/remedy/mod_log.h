#pragma once
// The daily activity log: one line per recorded command, in the Logs folder
// beside the program. Nothing reads it back, and nothing it fails at is
// reported: a lost entry never stops the command that wrote it.
#include <string>

#include "system/clock.h"
#include "system/file_system.h"

namespace tarvex {

class ModLog {
 public:
  ModLog(sys::FileSystem& files, const sys::Clock& clock, std::string programFolder);

  // Appends "[time] message" and CR LF to the day's file, creating the Logs
  // folder and the file when missing. The file is open only for this call.
  void WriteLog(const std::string& message);

  // Program folder + "\Logs\" + the short date with "/" as "_" + ".txt",
  // joined as they are (a drive root gives "C:\\Logs\...", which Windows
  // reads as "C:\Logs\...").
  std::string LogFileName(const sys::LocalTime& day) const;

 private:
  sys::FileSystem& files_;
  const sys::Clock& clock_;
  std::string programFolder_;
};

}  // namespace tarvex
