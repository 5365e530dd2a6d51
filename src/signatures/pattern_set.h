#pragma once
// All byte patterns of a table searched for in one pass over a buffer. The
// answer is the one a walk over the table gives when it searches the whole
// buffer for each entry in turn: the first entry, in table order, that occurs.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvex {

class PatternSet {
 public:
  // Patterns as bytes (HexToChars output), in table order. An empty pattern
  // identifies nothing and is never found.
  explicit PatternSet(std::vector<std::string> patterns);

  // Index of the first pattern, in the order given, that occurs anywhere in
  // the buffer; no value when none does.
  std::optional<std::size_t> FirstFound(const unsigned char* data, std::size_t len) const;

  std::size_t size() const { return patterns_.size(); }

 private:
  // Windows of the shortest pattern's length slide over the buffer; the
  // block of `block_` bytes at a window's end decides how far it may jump
  // (Wu-Manber). A jump of 0 means some pattern's prefix may end here.
  std::size_t BlockHash(const unsigned char* blockEnd) const;

  std::vector<std::string> patterns_;
  std::size_t shortest_ = 0;  // 0: no pattern can ever be found
  std::size_t firstSearchable_ = 0;  // the first non-empty pattern
  std::size_t block_ = 1;
  std::vector<std::uint8_t> shift_;  // capped at 255: a shorter jump is always safe
  // (block hash, pattern index) of every pattern's prefix end, sorted: a
  // window whose jump is 0 looks its candidates up here, in table order.
  std::vector<std::pair<std::uint16_t, std::uint16_t>> candidates_;
};

}  // namespace tarvex
