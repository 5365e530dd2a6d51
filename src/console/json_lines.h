#pragma once
// What tarvex-scan --json prints: one JSON object per line. File names are
// UTF-8; each byte that is not (a Linux name may hold any) becomes one U+FFFD,
// so that every line is valid JSON.
#include <cstdint>
#include <string>

#include "console/detection_cleanup.h"
#include "remedy/quarantine.h"
#include "scan/scan_sink.h"

namespace tarvex::console {

// {"path", "virus", "size", "remark"}, and with --move or --remove
// "outcome" (CleanupOutcome::word), "moved_to" or "reason" when there is one.
// The virus name is given as UTF-8.
std::string DetectionJson(const Detection& detection, const CleanupOutcome* outcome);
// {"summary": true, "folders", "counted", "examined", "detections", "bytes_read", "seconds"}
std::string SummaryJson(const ScanCounts& counts, std::uint64_t bytesRead, double seconds);
// {"id" (null for an unknown origin), "name", "virus", "original", "time"}
std::string QuarantineEntryJson(const QuarantineEntry& entry);
// {"id" (the number, or the name asked for), "restored": true/false, "path" or "reason"}
std::string RestoreJson(const std::string& asked, const QuarantineOutcome& outcome);

}  // namespace tarvex::console
