#pragma once
// Every option of tarvex-scan, written once: the parser, --help, the manual
// page and the shell completion are all made from this table.
#include <span>
#include <string>
#include <string_view>

#include "console/scan_options.h"

namespace tarvex::console {

// The task an option belongs to; the manual page groups them so.
enum class OptionTask { Scan, Quarantine, Unhide, General };

// What the option takes as its value, as the shell completes it. None: no
// value of its own (the entries of --restore are the words that follow it).
enum class OptionValue { None, File, Folder, Text };

struct OptionSpec {
  const char* name;       // "--move"
  const char* shortName;  // "-q", or nullptr
  const char* argument;   // as --help shows it, "DIR" or "ID..."; nullptr for none
  OptionValue value;
  OptionTask task;
  // As --help shows it: lines of at most 58 columns, '\n' between them.
  const char* help;
  // The usage error for a value that is missing or empty.
  const char* missing;
  // Puts the option into the command line: an error text, or empty when fine.
  std::string (*apply)(ParsedCommandLine& out, const std::string& value);
  // --help adds the database this run would use.
  bool tellsDatabase = false;
};

std::span<const OptionSpec> CommandLineOptions();

// The option whose name or short name is `word`; nullptr for none.
const OptionSpec* FindOption(std::string_view word);

// "-q, --quiet" or "--move DIR", as --help and the manual page name it.
std::string OptionSynopsis(const OptionSpec& option);

}  // namespace tarvex::console
