#include "console/scan_options.h"

#include <charconv>
#include <cstdint>

#include "base/program_files.h"
#include "console/option_table.h"
#include "signatures/checksum_text.h"

namespace tarvex::console {

namespace {

using Action = ParsedCommandLine::Action;

ParsedCommandLine UsageError(std::string error) {
  ParsedCommandLine out;
  out.action = Action::UsageError;
  out.error = std::move(error);
  return out;
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
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // "--db FILE" and "--db=FILE" alike.
    const std::size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
    const OptionSpec* option = FindOption(std::string_view(arg).substr(0, equals));
    if (!option || (equals != std::string::npos && option->value == OptionValue::None))
      return UsageError("unknown option '" + arg + "'");
    std::string value;
    if (option->value != OptionValue::None) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      }
      if (value.empty()) return UsageError(option->missing);
    }
    if (std::string error = option->apply(out, value); !error.empty()) return UsageError(std::move(error));
    if (out.action == Action::Help || out.action == Action::Version) return out;
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
