#include "signatures/pattern_set.h"

#include <algorithm>
#include <cstring>

namespace tarvex {

PatternSet::PatternSet(std::vector<std::string> patterns) : patterns_(std::move(patterns)) {
  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    const std::string& p = patterns_[i];
    if (p.empty()) continue;
    if (shortest_ == 0) firstSearchable_ = i;
    shortest_ = shortest_ == 0 ? p.size() : std::min(shortest_, p.size());
  }
  if (shortest_ == 0) return;

  blockSize_ = shortest_ >= 2 ? 2 : 1;
  stride_ = shortest_ - blockSize_ + 1;
  bits_.assign(blockSize_ == 2 ? 65536 / 64 : 256 / 64, 0);
  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    const std::string& p = patterns_[i];
    if (p.empty()) continue;
    const auto* bytes = reinterpret_cast<const unsigned char*>(p.data());
    for (std::size_t offset = 0; offset < stride_; ++offset) {
      const std::size_t block = Block(bytes + offset);
      bits_[block >> 6] |= std::uint64_t{1} << (block & 63);
      anchors_.push_back({static_cast<std::uint16_t>(block), static_cast<std::uint16_t>(i),
                          static_cast<std::uint16_t>(offset)});
    }
  }
  std::sort(anchors_.begin(), anchors_.end());
}

std::size_t PatternSet::Block(const unsigned char* at) const {
  return blockSize_ == 2 ? (static_cast<std::size_t>(at[0]) << 8) | at[1] : at[0];
}

std::optional<std::size_t> PatternSet::FirstFound(const unsigned char* data, std::size_t len) const {
  if (shortest_ == 0 || len < shortest_) return std::nullopt;
  std::optional<std::size_t> best;
  for (std::size_t q = 0; q + blockSize_ <= len; q += stride_) {
    const std::size_t block = Block(data + q);
    if (!Marked(block)) continue;
    const Anchor first{static_cast<std::uint16_t>(block), 0, 0};
    for (auto it = std::lower_bound(anchors_.begin(), anchors_.end(), first);
         it != anchors_.end() && it->block == block; ++it) {
      // Anchors come in table order: none after a better find can win.
      if (best && it->pattern >= *best) break;
      const std::string& p = patterns_[it->pattern];
      if (q < it->offset) continue;
      const std::size_t start = q - it->offset;
      if (p.size() <= len - start && std::memcmp(data + start, p.data(), p.size()) == 0) best = it->pattern;
    }
    // Nothing can beat the table's first entry: no need to read further.
    if (best && *best == firstSearchable_) return best;
  }
  return best;
}

}  // namespace tarvex
