#include "console/json_lines.h"

#include <nlohmann/json.hpp>

namespace tarvex::console {

namespace {

using nlohmann::json;

std::string Line(const json& object) { return object.dump(-1, ' ', false, json::error_handler_t::replace) + '\n'; }

// An empty text is no value: null.
json TextOrNull(const std::string& text) { return text.empty() ? json(nullptr) : json(text); }

}  // namespace

std::string DetectionJson(const Detection& d, const CleanupOutcome* outcome) {
  json object = {{"path", d.path}, {"virus", d.virusName}, {"size", d.size}, {"remark", d.remark}};
  if (outcome) {
    object["outcome"] = outcome->word;
    if (!outcome->newPath.empty()) object["moved_to"] = outcome->newPath;
    if (!outcome->reason.empty()) object["reason"] = outcome->reason;
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
               {"name", e.name},
               {"virus", TextOrNull(e.virus)},
               {"original", TextOrNull(e.original)},
               {"time", TextOrNull(e.time)}});
}

std::string RestoreJson(int id, const RestoreOutcome& outcome) {
  json object = {{"id", id}, {"restored", outcome.done}};
  if (outcome.done) {
    object["path"] = outcome.restoredTo;
  } else {
    object["reason"] = outcome.reason;
  }
  return Line(object);
}

}  // namespace tarvex::console
