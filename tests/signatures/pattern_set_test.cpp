#include "signatures/pattern_set.h"

#include <gtest/gtest.h>

#include <random>

#include "signatures/string_signature.h"

namespace tarvex {
namespace {

// The walk over the table that the one-pass search must agree with: every
// pattern searched in the whole buffer, the first found in table order wins.
std::optional<std::size_t> TableWalk(const std::vector<std::string>& patterns, const std::vector<unsigned char>& data) {
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    if (ContainsPattern(data, patterns[i])) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> OnePass(const std::vector<std::string>& patterns, const std::vector<unsigned char>& data) {
  return PatternSet(patterns).FirstFound(data.data(), data.size());
}

std::vector<unsigned char> RandomBytes(std::mt19937& rng, std::size_t n, int alphabet = 256) {
  std::vector<unsigned char> v(n);
  for (auto& b : v) b = static_cast<unsigned char>(rng() % static_cast<unsigned>(alphabet));
  return v;
}

std::vector<std::string> VirusTableBytes() {
  std::vector<std::string> out;
  for (const ConvertedVirus& v : ConvertedVirusTable()) out.push_back(v.bytes);
  return out;
}

TEST(PatternSet, FindsEveryVirusPatternAtEveryOffset) {
  const std::vector<std::string> table = VirusTableBytes();
  std::mt19937 rng(1);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::string& p = table[i];
    for (std::size_t length : {p.size(), p.size() + 1, p.size() + 37}) {
      for (std::size_t at = 0; at + p.size() <= length; ++at) {
        std::vector<unsigned char> data = RandomBytes(rng, length);
        std::copy(p.begin(), p.end(), data.begin() + static_cast<std::ptrdiff_t>(at));
        ASSERT_EQ(OnePass(table, data), TableWalk(table, data)) << "entry " << i + 1 << " at " << at << " of " << length;
        ASSERT_EQ(OnePass(table, data), i);
      }
    }
  }
}

TEST(PatternSet, TableOrderDecidesNotPositionInTheFile) {
  const std::vector<std::string> table = VirusTableBytes();
  const std::string& first = table[0];
  const std::string& fifth = table[4];
  auto bytes = [](const std::string& s) { return std::vector<unsigned char>(s.begin(), s.end()); };
  EXPECT_EQ(OnePass(table, bytes(fifth + "...." + first)), 0u);
  EXPECT_EQ(OnePass(table, bytes(first + fifth)), 0u);
  EXPECT_EQ(OnePass(table, bytes(fifth)), 4u);
  // A pattern cut short by the end of the file is not found.
  EXPECT_EQ(OnePass(table, bytes("xx" + first.substr(0, first.size() - 1))), std::nullopt);
}

TEST(PatternSet, AgreesWithTheTableWalkOnAwkwardSets) {
  using Set = std::vector<std::string>;
  const std::string zero(1, '\0');
  const Set sets[] = {
      {},
      {""},
      {"", "ab"},
      {"a"},
      {"abc", "b"},               // a one-byte pattern among longer ones
      {"abcd", "bc", "abcdabcd"}, // a pattern inside another, a pattern longer than most data
      {zero + zero + zero, "aa", zero},
      {"aaaa", "aaa", "aa"},
      {"ab", "ab"},               // the same pattern twice: the first index
      {std::string(300, 'a'), "ba"},
  };
  std::mt19937 rng(2);
  for (const Set& set : sets) {
    for (int round = 0; round < 400; ++round) {
      // A tiny alphabet makes matches, near misses and overlaps common.
      std::vector<unsigned char> data = RandomBytes(rng, rng() % 40, 3);
      for (auto& b : data) b = b == 2 ? 0 : static_cast<unsigned char>('a' + b);
      ASSERT_EQ(OnePass(set, data), TableWalk(set, data)) << "set of " << set.size() << ", round " << round;
    }
  }
}

TEST(PatternSet, AgreesWithTheTableWalkOnRandomSets) {
  std::mt19937 rng(3);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::string> set(1 + rng() % 6);
    for (auto& p : set) {
      std::vector<unsigned char> b = RandomBytes(rng, rng() % 6, 2);
      p.assign(b.begin(), b.end());
    }
    std::vector<unsigned char> data = RandomBytes(rng, rng() % 64, 2);
    ASSERT_EQ(OnePass(set, data), TableWalk(set, data)) << "round " << round;
  }
}

}  // namespace
}  // namespace tarvex
