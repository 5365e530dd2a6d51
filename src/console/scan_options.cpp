#include "console/scan_options.h"

#include <charconv>
#include <cstdint>

#include "base/program_files.h"
#include "signatures/checksum_text.h"
#include "system/files.h"

namespace tarvex::console {

namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine UsageError(std::string error) {
  ParsedCommandLine out;
  out.action = Action::UsageError;
  out.error = std::move(error);
  return out;
}

// "--db FILE" and "--db=FILE" alike; no value when `arg` is another option.
std::optional<std::string> ValueOf(const std::string& option, const std::vector<std::string>& args, std::size_t& i,
                                   bool& missing) {
  const std::string& arg = args[i];
  missing = false;
  if (arg == option) {
    if (i + 1 >= args.size()) {
      missing = true;
      return std::nullopt;
    }
    return args[++i];
  }
  if (arg.compare(0, option.size() + 1, option + "=") == 0) return arg.substr(option.size() + 1);
  return std::nullopt;
}

// A folder named with separators at its end is the same folder: "q/" and "q"
// read one manifest. A root keeps its own.
std::string WithoutTrailingSeparators(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == sys::kPathSeparator) &&
         !(folder.size() == 3 && folder[1] == ':'))
    folder.pop_back();
  return folder;
}

// The quarantine's own tasks: nothing is scanned, and the paths are entries:
// a manifest number, or a file's name in the folder (one of unknown origin has no number).
ParsedCommandLine QuarantineTask(ParsedCommandLine out) {
  const ScanOptions& o = out.options;
  if (!o.moveTo.empty() || o.remove || !o.unhide.empty() || !o.mark.empty())
    return UsageError("--list-quarantine and --restore take no --move, --remove, --unhide or --mark");
  if (out.action == Action::ListQuarantine && (!o.paths.empty() || !o.restoreTo.empty()))
    return UsageError("--list-quarantine takes no path and no --to: name the folder with --quarantine DIR");
  if (out.action == Action::Restore) {
    if (o.paths.empty()) return UsageError("--restore needs the number or name of an entry (see --list-quarantine)");
    for (const std::string& entry : o.paths) {
      int value = 0;
      auto [end, ec] = std::from_chars(entry.data(), entry.data() + entry.size(), value);
      const bool digits = entry.find_first_not_of("0123456789") == std::string::npos;
      if (digits && (ec != std::errc() || end != entry.data() + entry.size() || value < 1))
        return UsageError("--restore '" + entry + "' is no entry number (see --list-quarantine)");
    }
    out.entries = std::move(out.options.paths);
    out.options.paths.clear();
  }
  if (out.options.quarantine.empty()) out.options.quarantine = DefaultQuarantineFolder();
  if (out.options.quarantine.empty()) return UsageError("name the quarantine folder with --quarantine DIR");
  return out;
}

}  // namespace

std::string DefaultQuarantineFolder() {
#ifdef _WIN32
  return kQuarantineFolder;
#else
  return "";
#endif
}

std::optional<std::string> NormalizedChecksum(const std::string& text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return ChecksumText(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine out;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
#ifdef _WIN32
    // The way Windows programs are asked for help; no file can have this name.
    if (!optionsEnded && arg == "/?") {
      out.action = Action::Help;
      return out;
    }
#endif
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      out.options.paths.push_back(arg);
      continue;
    }
    bool missing = false;
    if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      out.action = Action::Help;
      return out;
    } else if (arg == "--version") {
      out.action = Action::Version;
      return out;
    } else if (arg == "--quiet" || arg == "-q") {
      out.options.quiet = true;
    } else if (arg == "--no-heuristics") {
      out.options.heuristics = false;
    } else if (arg == "--no-summary") {
      out.options.summary = false;
    } else if (std::optional<std::string> db = ValueOf("--db", args, i, missing); db || missing) {
      if (!db || db->empty()) return UsageError("--db needs a database file");
      out.options.database = *db;
    } else if (std::optional<std::string> mark = ValueOf("--mark", args, i, missing); mark || missing) {
      if (!mark || mark->empty()) return UsageError("--mark needs a checksum");
      std::optional<std::string> checksum = NormalizedChecksum(*mark);
      if (!checksum) return UsageError("--mark '" + *mark + "' is no checksum: give 1 to 8 hexadecimal digits, such as CBF43926");
      // The checksum every empty or unreadable file is given: it would report
      // all of them as viruses, so the file analysis window refuses it too.
      if (*checksum == "0")
        return UsageError("--mark '" + *mark + "' would mark every empty or unreadable file: give a checksum other than 0");
      out.options.mark = *checksum;
    } else if (arg == "--json") {
      out.options.json = true;
    } else if (arg == "--list-quarantine") {
      out.action = Action::ListQuarantine;
    } else if (arg == "--restore") {
      out.action = Action::Restore;
    } else if (std::optional<std::string> dir = ValueOf("--quarantine", args, i, missing); dir || missing) {
      if (!dir || dir->empty()) return UsageError("--quarantine needs the quarantine folder");
      out.options.quarantine = WithoutTrailingSeparators(*dir);
    } else if (std::optional<std::string> dir = ValueOf("--to", args, i, missing); dir || missing) {
      if (!dir || dir->empty()) return UsageError("--to needs the folder to restore into");
      out.options.restoreTo = *dir;
    } else if (arg == "--remove") {
      out.options.remove = true;
    } else if (std::optional<std::string> dir = ValueOf("--move", args, i, missing); dir || missing) {
      if (!dir || dir->empty()) return UsageError("--move needs a folder to move detected files into");
      out.options.moveTo = WithoutTrailingSeparators(*dir);
    } else if (std::optional<std::string> folder = ValueOf("--unhide", args, i, missing); folder || missing) {
      if (!folder || folder->empty()) return UsageError("--unhide needs a drive or folder");
      out.options.unhide = *folder;
    } else {
      return UsageError("unknown option '" + arg + "'");
    }
  }
  if (out.options.remove && !out.options.moveTo.empty()) return UsageError("--move and --remove exclude each other");
  if (!out.options.restoreTo.empty() && out.action != Action::Restore) return UsageError("--to goes with --restore");
  if (out.action == Action::ListQuarantine || out.action == Action::Restore) return QuarantineTask(std::move(out));
  if (!out.options.unhide.empty()) {
    // The unhide is a task of its own: nothing is scanned with it.
    if (!out.options.paths.empty() || out.options.remove || !out.options.moveTo.empty())
      return UsageError("--unhide takes one drive or folder and no other path, --move or --remove");
    out.action = Action::Unhide;
    return out;
  }
  if (out.options.paths.empty()) return UsageError("no folder or file to scan");
  for (const std::string& path : out.options.paths) {
    if (path.empty()) return UsageError("an empty path names nothing to scan");
  }
  return out;
}

}  // namespace tarvex::console
