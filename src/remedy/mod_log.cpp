#include "remedy/mod_log.h"

#include <algorithm>

namespace tarvex {

ModLog::ModLog(sys::FileSystem& files, const sys::Clock& clock, std::string programFolder)
    : files_(files), clock_(clock), programFolder_(std::move(programFolder)) {}

std::string ModLog::LogFileName(const sys::LocalTime& day) const {
  std::string date = clock_.ShortDateText(day);
  std::replace(date.begin(), date.end(), '/', '_');
  return programFolder_ + "\\Logs\\" + date + ".txt";
}

void ModLog::WriteLog(const std::string& message) {
  files_.MakeFolder(programFolder_ + "\\Logs");
  // One reading of the clock for both: a line written at midnight goes to
  // the file of the day its time belongs to.
  sys::LocalTime now = clock_.Now();
  std::string line = "[";
  line.append(clock_.TimeText(now)).append("] ").append(message).append("\r\n");
  files_.AppendText(LogFileName(now), line, false);
}

}  // namespace tarvex
