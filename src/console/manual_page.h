#pragma once
// The manual page tarvex-scan(1), made at build time: its prose is written as
// roff, its options come from the table of options.
#include <string>

namespace tarvex::console {

// `page` with "@OPTIONS@" on a line of its own replaced by the options,
// grouped by task, and every "@VERSION@" by `version`.
std::string ManualPage(std::string page, const std::string& version);

// A text as roff shows it literally: backslashes, minus signs, and a dot or
// quote at the start of a line, which roff would take for a request.
std::string RoffText(const std::string& text);

}  // namespace tarvex::console
