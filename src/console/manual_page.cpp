#include "console/manual_page.h"

#include <utility>

#include "console/option_table.h"

namespace tarvex::console {

namespace {

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
    text.replace(at, what.size(), with);
  return text;
}

// --help breaks the text for the terminal; the page lets roff fill its lines.
std::string Filled(const OptionSpec& option) {
  std::string text = Replaced(option.help, "\n", " ");
  if (option.tellsDatabase) text += "; --help names the one a run would use";
  return RoffText(text) + ".\n";
}

std::string Heading(const OptionSpec& option) {
  std::string heading = option.shortName ? "\\fB" + RoffText(option.shortName) + "\\fR, " : "";
  heading += "\\fB" + RoffText(option.name) + "\\fR";
  if (option.argument) heading += " \\fI" + RoffText(option.argument) + "\\fR";
  return heading + '\n';
}

std::string OptionsSection() {
  const std::pair<OptionTask, const char*> groups[] = {{OptionTask::Scan, "Scanning"},
                                                       {OptionTask::Quarantine, "The quarantine"},
                                                       {OptionTask::Unhide, "Unhiding"},
                                                       {OptionTask::General, "Output and help"}};
  std::string roff;
  for (const auto& [task, title] : groups) {
    roff += std::string(".SS ") + title + '\n';
    for (const OptionSpec& option : CommandLineOptions()) {
      if (option.task == task) roff += ".TP\n" + Heading(option) + Filled(option);
    }
  }
  return roff;
}

}  // namespace

std::string RoffText(const std::string& text) {
  std::string roff;
  for (char c : text) {
    if (c == '\\') {
      roff += "\\e";
    } else if (c == '-') {
      roff += "\\-";
    } else {
      if ((c == '.' || c == '\'') && (roff.empty() || roff.back() == '\n')) roff += "\\&";
      roff += c;
    }
  }
  return roff;
}

std::string ManualPage(std::string page, const std::string& version) {
  return Replaced(Replaced(std::move(page), "@OPTIONS@\n", OptionsSection()), "@VERSION@", version);
}

}  // namespace tarvex::console
