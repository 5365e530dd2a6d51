#include "scan/scan_progress.h"

#include <cmath>

#include "base/utf8.h"
#include "system/files.h"

namespace tarvex {

namespace {
constexpr std::size_t kLongestUnabridgedPath = 50;
constexpr std::size_t kAbridgedNameLength = 15;
}  // namespace

std::string StatusLineFor(const std::string& folder, const std::string& name) {
  // Lengths are in characters, not bytes: a name in another script is cut
  // where a reader sees its characters, never inside one.
  std::string full = folder + name;
  if (sys::CharacterCount(full) <= kLongestUnabridgedPath) return full;

  // The folder ends in the separator its listing joined it with.
  const char separator = folder.empty() || (folder.back() != '\\' && folder.back() != '/') ? sys::kPathSeparator
                                                                                            : folder.back();
  // Top folder: up to the first separator from the 4th character on, so that
  // "C:\" itself is passed over and "C:\Program Files\" is kept.
  std::string prefix;
  std::string::size_type cut = folder.find(separator, sys::CharacterOffset(folder, 3));
  if (cut != std::string::npos) prefix = folder.substr(0, cut + 1);

  const std::string ellipsis = std::string("...") + separator;
  const std::size_t nameLength = sys::CharacterCount(name);
  if (nameLength < kAbridgedNameLength) return prefix + ellipsis + name;
  return prefix + ellipsis + "..." + name.substr(sys::CharacterOffset(name, nameLength - kAbridgedNameLength));
}

std::optional<std::int16_t> PercentComplete(std::uint64_t total, std::uint64_t examined) {
  if (total == 0) return std::nullopt;
  double p = std::nearbyint(100.0 / static_cast<double>(total) * static_cast<double>(examined));  // the default rounding mode rounds halves to even
  if (!std::isfinite(p) || p < -32768.0 || p > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(p);
}

}  // namespace tarvex
