#include "console/json_lines.h"

#include <nlohmann/json.hpp>

#include "base/utf8.h"

namespace tarvex::console {

namespace {

using nlohmann::json;

std::string Line(const json& object) { return object.dump(-1, ' ', false, json::error_handler_t::replace) + '\n'; }

// One U+FFFD for each byte that is not UTF-8, as the README says.
json Text(const std::string& text) { return sys::WithReplacementCharacters(text); }
// An empty text is no value: null.
json TextOrNull(const std::string& text) { return text.empty() ? json(nullptr) : Text(text); }

}  // namespace

std::string DetectionJson(const Detection& d, const CleanupOutcome* outcome) {
  json object = {{"path", Text(d.path)}, {"virus", Text(d.virusName)}, {"size", d.size}, {"remark", Text(d.remark)}};
  if (outcome) {
    object["outcome"] = outcome->word;
    if (!outcome->newPath.empty()) object["moved_to"] = Text(outcome->newPath);
    if (!outcome->reason.empty()) object["reason"] = Text(outcome->reason);
  }
  return Line(object);
}

std::string SummaryJson(const ScanCounts& counts, std::uint64_t bytesRead, double seconds) {
  return Line({{"summary", true},
               {"folders", counts.folders},
               {"counted", counts.counted},
               {"examined", counts.examined},
               {"detections", counts.detections},
               {"bytes_read", bytesRead},
               {"seconds", seconds}});
}

std::string QuarantineEntryJson(const QuarantineEntry& e) {
  return Line({{"id", e.KnownOrigin() ? json(e.id) : json(nullptr)},
               {"name", Text(e.name)},
               {"virus", TextOrNull(e.virus)},
               {"original", TextOrNull(e.original)},
               {"time", TextOrNull(e.time)}});
}

std::string RestoreJson(const std::string& asked, const QuarantineOutcome& outcome) {
  const bool number = !asked.empty() && asked.find_first_not_of("0123456789") == std::string::npos;
  json object = {{"id", number ? json(std::stoll(asked)) : Text(asked)}, {"restored", outcome.Done()}};
  if (outcome.Done()) {
    object["path"] = Text(outcome.path);
  } else {
    object["reason"] = Text(outcome.reason);
  }
  return Line(object);
}

}  // namespace tarvex::console
