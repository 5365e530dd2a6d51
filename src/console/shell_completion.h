#pragma once
// The bash completion of tarvex-scan, made at build time from the table of
// options: the options themselves, folders after the options that take one,
// files after --db and for the paths to scan.
#include <string>

namespace tarvex::console {

std::string BashCompletion();

}  // namespace tarvex::console
