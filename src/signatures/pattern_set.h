#pragma once
// All byte patterns of a table searched for in one pass over a buffer. The
// answer is the one a walk over the table gives when it searches the whole
// buffer for each entry in turn: the first entry, in table order, that occurs.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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
  // Every occurrence of a pattern covers `stride_` consecutive block starts
  // inside the first `shortest_` bytes of the pattern, so a block sampled at
  // every stride_-th position meets each occurrence once. A sampled block
  // that starts no pattern's prefix is passed over with one bit test; only
  // the rare block that does is compared in full. The samples do not depend
  // on each other, so the processor runs many of them at once.
  struct Anchor {
    std::uint16_t block;    // the block's value
    std::uint16_t pattern;  // index in table order
    std::uint16_t offset;   // where the block starts in the pattern
    bool operator<(const Anchor& o) const {
      return block != o.block ? block < o.block : pattern != o.pattern ? pattern < o.pattern : offset < o.offset;
    }
  };
  std::size_t Block(const unsigned char* at) const;
  bool Marked(std::size_t block) const { return (bits_[block >> 6] >> (block & 63)) & 1u; }

  std::vector<std::string> patterns_;
  std::size_t shortest_ = 0;         // 0: no pattern can ever be found
  std::size_t firstSearchable_ = 0;  // the first non-empty pattern
  std::size_t blockSize_ = 1;        // 2 bytes, or 1 when a pattern is one byte long
  std::size_t stride_ = 1;
  std::vector<std::uint64_t> bits_;  // one bit per block value that starts some anchor
  std::vector<Anchor> anchors_;      // sorted: by block, then table order
};

}  // namespace tarvex
