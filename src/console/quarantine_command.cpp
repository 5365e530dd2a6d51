#include "console/quarantine_command.h"

#include <algorithm>

#include "console/json_lines.h"
#include "system/files.h"

namespace tarvex::console {

namespace {

constexpr const char* kProgram = "tarvex-scan: ";

// A name holding a tab or a line end cannot forge a field or a line.
std::string ListLine(const QuarantineEntry& e) {
  return (e.KnownOrigin() ? std::to_string(e.id) : "-") + '\t' + EscapeField(e.name) + '\t' + EscapeField(e.virus) +
         '\t' + (e.KnownOrigin() ? EscapeField(e.original) : "unknown origin") + '\t' + EscapeField(e.time) + '\n';
}

int Fail(ConsoleIo& io, const std::string& text) {
  io.Write(sys::Stream::Err, kProgram + EscapeField(text) + "\n");
  return kError;
}

// The folder's entries; no value, told on standard error, when the folder
// cannot be opened as one or its manifest cannot be read.
std::optional<std::vector<QuarantineEntry>> Entries(Quarantine& quarantine, ConsoleIo& io,
                                                    const CleanupServices& services) {
  const sys::ReachedFolder folder = services.files.ReachFolder(quarantine.Folder(), sys::FolderWay::AsNamed);
  if (!folder.folder) {
    Fail(io, "cannot open the quarantine folder " + folder.reason);
    return std::nullopt;
  }
  std::vector<QuarantineEntry> entries = quarantine.List();
  if (!quarantine.Problem().empty()) {
    Fail(io, quarantine.Problem());
    return std::nullopt;
  }
  return entries;
}

}  // namespace

int RunListQuarantine(const ScanOptions& options, ConsoleIo& io, const CleanupServices& services) {
  Quarantine quarantine(sys::WithSeparator(options.quarantine), services.files, services.clock);
  const std::optional<std::vector<QuarantineEntry>> entries = Entries(quarantine, io, services);
  if (!entries) return kError;
  for (const QuarantineEntry& e : *entries)
    io.Write(sys::Stream::Out, options.json ? QuarantineEntryJson(e) : ListLine(e));
  return kClean;
}

int RunRestore(const ScanOptions& options, const std::vector<std::string>& wanted, ConsoleIo& io,
               const CleanupServices& services) {
  Quarantine quarantine(sys::WithSeparator(options.quarantine), services.files, services.clock);
  const std::optional<std::vector<QuarantineEntry>> entries = Entries(quarantine, io, services);
  if (!entries) return kError;
  int status = kClean;
  for (const std::string& asked : wanted) {
    // A number names a manifest line; anything else a file in the folder (one of unknown origin has no number).
    auto it = std::find_if(entries->begin(), entries->end(), [&asked](const QuarantineEntry& e) {
      return e.KnownOrigin() ? std::to_string(e.id) == asked : e.name == asked;
    });
    const QuarantineOutcome outcome =
        it == entries->end()
            ? QuarantineOutcome{QuarantineOutcome::Kind::Failed, "", "no such entry (see --list-quarantine)"}
            : quarantine.Restore(*it, options.restoreTo);
    if (!outcome.Done()) {
      status = kError;
      Fail(io, "cannot restore " + asked + ": " + outcome.reason);
    }
    if (options.json) {
      io.Write(sys::Stream::Out, RestoreJson(asked, outcome));
    } else if (outcome.Done() && !options.quiet) {
      io.Write(sys::Stream::Out, EscapeField(asked) + "\trestored to " + EscapeField(outcome.path) + "\n");
    }
  }
  return status;
}

}  // namespace tarvex::console
