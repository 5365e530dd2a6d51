#include "console/shell_completion.h"

#include "console/option_table.h"

namespace tarvex::console {

namespace {

// "--a|--b" for a case pattern; empty when no option takes such a value.
std::string TakingValue(OptionValue value) {
  std::string names;
  for (const OptionSpec& option : CommandLineOptions()) {
    if (option.value == value) names += (names.empty() ? "" : "|") + std::string(option.name);
  }
  return names;
}

std::string Case(OptionValue value, const std::string& action) {
  const std::string names = TakingValue(value);
  return names.empty() ? "" : "        " + names + ") " + action + "; return ;;\n";
}

}  // namespace

std::string BashCompletion() {
  std::string words;
  for (const OptionSpec& option : CommandLineOptions()) {
    words += (words.empty() ? "" : " ") + std::string(option.name);
    if (option.shortName) words += std::string(" ") + option.shortName;
  }
  return "# bash completion for tarvex-scan, made from its table of options\n"
         "_tarvex_scan_paths()\n"
         "{\n"
         "    compopt -o filenames 2>/dev/null\n"
         "    mapfile -t COMPREPLY < <(compgen \"$1\" -- \"$cur\")\n"
         "}\n"
         "\n"
         "_tarvex_scan()\n"
         "{\n"
         "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} i\n"
         "    # The shell splits \"--db=FILE\" at the \"=\".\n"
         "    if [[ $cur == = ]]; then\n"
         "        cur=\n"
         "    elif [[ $prev == = ]]; then\n"
         "        prev=${COMP_WORDS[COMP_CWORD-2]}\n"
         "    fi\n"
         "    # After \"--\" every word is a path.\n"
         "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
         "        [[ ${COMP_WORDS[i]} == -- ]] && { _tarvex_scan_paths -f; return; }\n"
         "    done\n"
         "    case $prev in\n" +
         Case(OptionValue::File, "_tarvex_scan_paths -f") + Case(OptionValue::Folder, "_tarvex_scan_paths -d") +
         Case(OptionValue::Text, "COMPREPLY=()") +
         "    esac\n"
         "    if [[ $cur == -* ]]; then\n"
         "        mapfile -t COMPREPLY < <(compgen -W \"" + words + "\" -- \"$cur\")\n"
         "    else\n"
         "        _tarvex_scan_paths -f\n"
         "    fi\n"
         "}\n"
         "complete -F _tarvex_scan tarvex-scan\n";
}

}  // namespace tarvex::console
