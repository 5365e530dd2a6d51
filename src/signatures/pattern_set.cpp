#include "signatures/pattern_set.h"

#include <algorithm>
#include <cstring>

namespace tarvex {

PatternSet::PatternSet(std::vector<std::string> patterns) : patterns_(std::move(patterns)) {
  for (const std::string& p : patterns_) {
    if (p.empty()) continue;
    if (shortest_ == 0) firstSearchable_ = static_cast<std::size_t>(&p - patterns_.data());
    shortest_ = shortest_ == 0 ? p.size() : std::min(shortest_, p.size());
  }
  if (shortest_ == 0) return;

  // Two-byte blocks make a table of 65 536 jumps, nearly all of them the
  // longest, for a handful of patterns; a one-byte pattern needs one-byte blocks.
  block_ = shortest_ >= 2 ? 2 : 1;
  const std::size_t tableSize = block_ == 2 ? 65536 : 256;
  shift_.assign(tableSize, static_cast<std::uint8_t>(std::min<std::size_t>(shortest_ - block_ + 1, 255)));

  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    const std::string& p = patterns_[i];
    if (p.empty()) continue;
    const auto* bytes = reinterpret_cast<const unsigned char*>(p.data());
    for (std::size_t end = block_ - 1; end < shortest_; ++end) {
      std::uint8_t& s = shift_[BlockHash(bytes + end)];
      s = static_cast<std::uint8_t>(std::min<std::size_t>(s, shortest_ - 1 - end));
    }
    candidates_.emplace_back(static_cast<std::uint16_t>(BlockHash(bytes + shortest_ - 1)),
                             static_cast<std::uint16_t>(i));
  }
  std::sort(candidates_.begin(), candidates_.end());
}

std::size_t PatternSet::BlockHash(const unsigned char* blockEnd) const {
  return block_ == 2 ? (static_cast<std::size_t>(blockEnd[-1]) << 8) | blockEnd[0] : blockEnd[0];
}

std::optional<std::size_t> PatternSet::FirstFound(const unsigned char* data, std::size_t len) const {
  if (shortest_ == 0 || len < shortest_) return std::nullopt;
  std::optional<std::size_t> best;
  std::size_t pos = shortest_ - 1;  // end of the current window
  while (pos < len) {
    const std::size_t hash = BlockHash(data + pos);
    if (const std::uint8_t s = shift_[hash]; s != 0) {
      pos += s;
      continue;
    }
    const std::size_t start = pos + 1 - shortest_;
    // Candidates are in table order: the first that matches is the best here,
    // and none after a better one found earlier can win.
    const std::pair<std::uint16_t, std::uint16_t> first{static_cast<std::uint16_t>(hash), 0};
    auto it = std::lower_bound(candidates_.begin(), candidates_.end(), first);
    for (; it != candidates_.end() && it->first == hash; ++it) {
      const std::size_t i = it->second;
      if (best && i >= *best) break;
      const std::string& p = patterns_[i];
      if (p.size() <= len - start && std::memcmp(data + start, p.data(), p.size()) == 0) {
        best = i;
        break;
      }
    }
    // Nothing can beat the table's first entry: no need to read further.
    if (best && *best == firstSearchable_) return best;
    ++pos;
  }
  return best;
}

}  // namespace tarvex
