#include "console/quarantine_command.h"

#include <algorithm>

#include "console/json_lines.h"

namespace tarvex::console {

namespace {

constexpr const char* kProgram = "tarvex-scan: ";

std::string ListLine(const QuarantineEntry& e) {
  std::string line = (e.KnownOrigin() ? std::to_string(e.id) : "-") + '\t' + e.name + '\t' + e.virus + '\t' +
                     (e.KnownOrigin() ? e.original : "unknown origin") + '\t' + e.time;
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t') c = '?';
  }
  return line + '\n';
}

bool FolderMissing(const ScanOptions& options, ConsoleIo& io, const CleanupServices& services) {
  if (!services.files.Gone(options.quarantine)) return false;
  io.Write(sys::Stream::Err, kProgram + std::string("cannot find the quarantine folder ") + options.quarantine + "\n");
  return true;
}

}  // namespace

int RunListQuarantine(const ScanOptions& options, ConsoleIo& io, const CleanupServices& services) {
  if (FolderMissing(options, io, services)) return kError;
  Quarantine quarantine(options.quarantine, services.files, services.clock);
  for (const QuarantineEntry& e : quarantine.List())
    io.Write(sys::Stream::Out, options.json ? QuarantineEntryJson(e) : ListLine(e));
  return kClean;
}

int RunRestore(const ScanOptions& options, const std::vector<int>& ids, ConsoleIo& io,
               const CleanupServices& services) {
  if (FolderMissing(options, io, services)) return kError;
  Quarantine quarantine(options.quarantine, services.files, services.clock);
  const std::vector<QuarantineEntry> entries = quarantine.List();
  int status = kClean;
  for (int id : ids) {
    auto it = std::find_if(entries.begin(), entries.end(), [id](const QuarantineEntry& e) { return e.id == id; });
    const RestoreOutcome outcome = it == entries.end()
                                       ? RestoreOutcome{false, "", "no such entry (see --list-quarantine)"}
                                       : quarantine.Restore(*it);
    if (!outcome.done) {
      status = kError;
      io.Write(sys::Stream::Err, kProgram + std::string("cannot restore ") + std::to_string(id) + ": " +
                                     outcome.reason + "\n");
    }
    if (options.json) {
      io.Write(sys::Stream::Out, RestoreJson(id, outcome));
    } else if (outcome.done && !options.quiet) {
      io.Write(sys::Stream::Out, std::to_string(id) + "\trestored to " + outcome.restoredTo + "\n");
    }
  }
  return status;
}

}  // namespace tarvex::console
