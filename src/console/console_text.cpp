#include "console/console_text.h"

#include <algorithm>
#include <cstdio>

#include "base/app_title.h"
#include "console/option_table.h"
#include "scan/scan_progress.h"

#ifndef TARVEX_VERSION
#define TARVEX_VERSION "1.00"
#endif

namespace tarvex::console {

namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

std::string Format(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

// A line cut to `width` characters counts UTF-8 characters, not bytes, and
// never cuts one in half.
std::string CutToWidth(const std::string& text, std::size_t width) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++chars > width) return text.substr(0, i);
  }
  return text;
}

}  // namespace

std::string HelpText(const std::string& database) {
  std::string options;
  constexpr std::size_t kColumn = 18;  // where the help of each option starts, after the indent
  const std::string indent(2 + kColumn, ' ');
  for (const OptionSpec& option : CommandLineOptions()) {
    std::string name = OptionSynopsis(option);
    name.resize(std::max(name.size() + 1, kColumn), ' ');
    std::string help = option.help;
    if (option.tellsDatabase) help += "; now used:\n" + (database.empty() ? std::string("none is there") : database);
    for (std::size_t from = 0, to = 0; from <= help.size(); from = to + 1) {
      to = std::min(help.find('\n', from), help.size());
      options += (from == 0 ? "  " + name : indent) + help.substr(from, to - from) + '\n';
    }
  }
  return "Usage: tarvex-scan [options] PATH...\n"
         "       tarvex-scan --unhide DRIVE-OR-FOLDER\n"
         "       tarvex-scan --list-quarantine | --restore ID... [--to DIR] [--quarantine DIR]\n"
         "Scans folders, with everything below them, and files for viruses: the CRC\n"
         "signatures of the database and the patterns built into " TARVEX_TITLE ",\n"
         "with the checks of the program's own scan, in the same order. Without\n"
         "--move or --remove files are only reported, never changed, and no process\n"
         "is ended.\n"
         "\n"
         "Each detection is one line on standard output, its fields separated by tabs:\n"
         "  path, virus name, size in bytes, remark (\"File Terinfeksi\", \"Heuristik\" or empty)\n"
         "With --move or --remove a fifth field tells what happened to the file:\n"
         "  \"moved to NEWPATH\", \"removed\", \"left in DIR\" (already there),\n"
         "  \"already gone\", \"changed since the scan\" (not the file found: left\n"
         "  alone), or \"not moved\" / \"not removed\" (the file keeps its place)\n"
         "A summary follows the detections.\n"
         "\n"
         "Options:\n" +
         options +
         "\n"
         "Files of 4 096 000 bytes or more, and files in folders whose path begins\n"
         "with C:\\Karantina, are counted but not checked.\n"
         "\n"
         "Exit status: 0 nothing found, 1 something found, 2 bad arguments, a path\n"
         "that does not exist, a missing or damaged database, or a detected file\n"
         "that could not be moved or removed. --unhide: 0 done, 1 refused, 2 not\n"
         "found. --restore: 0 every entry restored, 2 otherwise.\n";
}

std::string VersionText() { return "tarvex-scan " TARVEX_VERSION " (" TARVEX_TITLE ")\n"; }

std::string DetectionLine(const Detection& d) {
  return OneLine(d.path) + '\t' + OneLine(d.virusName) + '\t' + std::to_string(d.size) + '\t' + OneLine(d.remark) +
         '\n';
}

std::string DetectionLine(const Detection& detection, const std::string& outcome) {
  std::string line = DetectionLine(detection);
  line.insert(line.size() - 1, '\t' + OneLine(outcome));
  return line;
}

std::string SummaryText(const ScanCounts& counts, std::uint64_t bytesRead, double seconds) {
  auto line = [](const char* label, const std::string& value) { return std::string(label) + value + '\n'; };
  const double mib = static_cast<double>(bytesRead) / (1024.0 * 1024.0);
  return std::string("\n") + line("Folders:        ", std::to_string(counts.folders)) +
         line("Files counted:  ", std::to_string(counts.counted)) +
         line("Files examined: ", std::to_string(counts.examined)) +
         line("Detections:     ", std::to_string(counts.detections)) +
         line("Bytes read:     ", std::to_string(bytesRead) + Format(" (%.1f MiB)", mib)) +
         line("Time:           ", Format("%.2f s", seconds));
}

std::string ProgressText(std::uint64_t examined, std::uint64_t total, const std::string& folder,
                         const std::string& name, std::size_t width) {
  std::string percent = "  ? %";
  if (std::optional<std::int16_t> p = PercentComplete(total, examined);
      p && *p <= 100) {
    percent = Format("%3.0f %%", *p);
  }
  std::string text = percent + "  " + std::to_string(examined) + "/" + std::to_string(total) + "  " +
                     OneLine(StatusLineFor(folder, name));
  return CutToWidth(text, width);
}

std::string CountingText(std::uint64_t counted) { return "counting files: " + std::to_string(counted); }

}  // namespace tarvex::console
