#pragma once
// The texts a scan shows while it runs: the status line, the counters and the percentage.
#include <cstdint>
#include <optional>
#include <string>

namespace tarvex {

// The status line for one file: the full path when it fits in 50 characters,
// otherwise the top folder, an ellipsis and the (possibly shortened) name.
// Texts are UTF-8 and counted in characters (code points). `folder` ends in
// its separator ("\\" or "/"), which the abridged form uses too.
std::string StatusLineFor(const std::string& folder, const std::string& name);

// The percentage of `examined` in `total`, rounded half to even. No value when
// it cannot be computed (no total) or does not fit a 16-bit integer; values
// above 100 are returned and left to the caller to ignore.
std::optional<std::int16_t> PercentComplete(std::uint64_t total, std::uint64_t examined);

}  // namespace tarvex
