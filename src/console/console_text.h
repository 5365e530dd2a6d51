#pragma once
// What tarvex-scan prints: help, version, one line per detection, the
// summary and the progress line.
#include <cstdint>
#include <string>

#include "scan/scan_sink.h"

namespace tarvex::console {

// `database`: the one this run would use, or empty when none is there.
std::string HelpText(const std::string& database);
std::string VersionText();

// path TAB virus name TAB size TAB remark, ended by a line end. The virus
// name comes from the database and is given here already as UTF-8. Control
// characters, which a file name may hold on some systems, become '?' so that
// one detection is always one line.
std::string DetectionLine(const Detection& detection);
// The same with a fifth field, what --move or --remove did with the file.
std::string DetectionLine(const Detection& detection, const std::string& outcome);

std::string SummaryText(const ScanCounts& counts, std::uint64_t bytesRead, double seconds);

// The progress line's text, at most `width` characters: the percentage, the
// counts and the file as the window's status line shows it.
std::string ProgressText(std::uint64_t examined, std::uint64_t total, const std::string& folder,
                         const std::string& name, std::size_t width);
std::string CountingText(std::uint64_t counted);

}  // namespace tarvex::console
