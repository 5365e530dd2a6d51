#include "console/option_table.h"

#include "system/files.h"

namespace tarvex::console {

namespace {

using Action = ParsedCommandLine::Action;

// A folder named with separators at its end is the same folder: "q/" and "q"
// read one manifest. A root keeps its own.
std::string WithoutTrailingSeparators(std::string folder) {
  while (folder.size() > 1 && (folder.back() == '/' || folder.back() == sys::kPathSeparator) &&
         !(folder.size() == 3 && folder[1] == ':'))
    folder.pop_back();
  return folder;
}

std::string Mark(ParsedCommandLine& out, const std::string& value) {
  std::optional<std::string> checksum = NormalizedChecksum(value);
  if (!checksum) return "--mark '" + value + "' is no checksum: give 1 to 8 hexadecimal digits, such as CBF43926";
  // The checksum every empty or unreadable file is given: it would report
  // all of them as viruses, so the file analysis window refuses it too.
  if (*checksum == "0")
    return "--mark '" + value + "' would mark every empty or unreadable file: give a checksum other than 0";
  out.options.mark = *checksum;
  return "";
}

#ifdef _WIN32
#define TARVEX_DATABASE_PLACES "(default: Tarvex.db beside\nthis program)"
#else
#define TARVEX_DATABASE_PLACES "(default: Tarvex.db beside\nthis program, else " TARVEX_DATA_FOLDER "/Tarvex.db)"
#endif

// In the order --help lists them.
const OptionSpec kOptions[] = {
    {"--db", nullptr, "FILE", OptionValue::File, OptionTask::Scan,
     "the signature database " TARVEX_DATABASE_PLACES, "--db needs a database file",
     [](ParsedCommandLine& out, const std::string& value) { out.options.database = value; return std::string(); },
     true},
    {"--mark", nullptr, "CHECKSUM", OptionValue::Text, OptionTask::Scan,
     "report files with this CRC-32 checksum (1 to 8\nhexadecimal digits, not 0) as \"Permintaan User\"",
     "--mark needs a checksum", Mark},
    {"--move", nullptr, "DIR", OptionValue::Folder, OptionTask::Scan,
     "after the scan, end any program running from each\n"
     "detected file and move the file into DIR as NAME_vir\n"
     "(NAME_vir2, NAME_vir3, ... when taken; nothing is\n"
     "overwritten); DIR is made when missing\n"
     "and keeps a manifest, karantina.txt, of where each came\n"
     "from; DIR may not be a scanned folder or hold one",
     "--move needs a folder to move detected files into",
     [](ParsedCommandLine& out, const std::string& value) {
       out.options.moveTo = WithoutTrailingSeparators(value);
       return std::string();
     }},
    {"--remove", nullptr, nullptr, OptionValue::None, OptionTask::Scan,
     "the same, deleting each detected file instead", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.options.remove = true; return std::string(); }},
    {"--list-quarantine", nullptr, nullptr, OptionValue::None, OptionTask::Quarantine,
     "list the quarantine: number, name, virus, original path\nand time", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.action = Action::ListQuarantine; return std::string(); }},
    {"--restore", nullptr, "ID...", OptionValue::None, OptionTask::Quarantine,
     "move these entries back where they came from (a taken\n"
     "name gives NAME (2).EXT; nothing is overwritten); ID is\n"
     "the entry's number, or its name for a file of unknown\n"
     "origin",
     nullptr, [](ParsedCommandLine& out, const std::string&) { out.action = Action::Restore; return std::string(); }},
    {"--to", nullptr, "DIR", OptionValue::Folder, OptionTask::Quarantine,
     "restore into DIR instead (needed for an unknown origin)", "--to needs the folder to restore into",
     [](ParsedCommandLine& out, const std::string& value) { out.options.restoreTo = value; return std::string(); }},
    {"--quarantine", nullptr, "DIR", OptionValue::Folder, OptionTask::Quarantine,
     "the quarantine folder of both (Windows: C:\\Karantina)", "--quarantine needs the quarantine folder",
     [](ParsedCommandLine& out, const std::string& value) {
       out.options.quarantine = WithoutTrailingSeparators(value);
       return std::string();
     }},
    {"--json", nullptr, nullptr, OptionValue::None, OptionTask::General,
     "one JSON object per line: detections, then the summary", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.options.json = true; return std::string(); }},
    {"--unhide", nullptr, "FOLDER", OptionValue::Folder, OptionTask::Unhide,
     "clear the hidden, system and read-only attributes of\n"
     "everything below FOLDER (a virus's hiding); refused for\n"
     "the Windows drive's root and the system's own folders",
     "--unhide needs a drive or folder",
     [](ParsedCommandLine& out, const std::string& value) { out.options.unhide = value; return std::string(); }},
    {"--no-summary", nullptr, nullptr, OptionValue::None, OptionTask::Scan, "print the detections only", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.options.summary = false; return std::string(); }},
    {"--no-heuristics", nullptr, nullptr, OptionValue::None, OptionTask::Scan,
     "report only what a signature names (no Heur.* rows)", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.options.heuristics = false; return std::string(); }},
    {"--quiet", "-q", nullptr, OptionValue::None, OptionTask::General,
     "print nothing but errors; the exit status tells the result", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.options.quiet = true; return std::string(); }},
    {"--help", "-h", nullptr, OptionValue::None, OptionTask::General, "show this help and exit", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.action = Action::Help; return std::string(); }},
    {"--version", nullptr, nullptr, OptionValue::None, OptionTask::General, "show the version and exit", nullptr,
     [](ParsedCommandLine& out, const std::string&) { out.action = Action::Version; return std::string(); }},
};

}  // namespace

std::span<const OptionSpec> CommandLineOptions() { return kOptions; }

const OptionSpec* FindOption(std::string_view word) {
  for (const OptionSpec& option : kOptions) {
    if (word == option.name || (option.shortName && word == option.shortName)) return &option;
  }
  return nullptr;
}

std::string OptionSynopsis(const OptionSpec& option) {
  std::string text = option.shortName ? std::string(option.shortName) + ", " + option.name : option.name;
  return option.argument ? text + ' ' + option.argument : text;
}

}  // namespace tarvex::console
