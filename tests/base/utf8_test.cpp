#include "base/utf8.h"

#include <gtest/gtest.h>

namespace tarvex::sys {
namespace {

struct RoundTrip {
  std::string utf8;
  std::u16string utf16;
};

TEST(Utf8, WellFormedTextConvertsBothWaysUnchanged) {
  const RoundTrip cases[] = {
      {"", u""},
      {"eicar.com", u"eicar.com"},
      {"caf\xC3\xA9.com", u"caf\u00E9.com"},
      {"\xD0\xB2\xD0\xB8\xD1\x80\xD1\x83\xD1\x81", u"\u0432\u0438\u0440\u0443\u0441"},          // вирус
      {"\xE7\x97\x85\xE6\xAF\x92", u"\u75C5\u6BD2"},                                              // 病毒
      {"\xE0\xB9\x84\xE0\xB8\xA7", u"\u0E44\u0E27"},                                              // Thai
      {"\xD9\x81\xD9\x8A", u"\u0641\u064A"},                                                      // Arabic
      {"\xF0\x9F\x98\x88.com", u"\U0001F608.com"},                                                // emoji: a pair
      {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},                                      // NUL is a character
      {"\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF", u"\u007F\u0080\u07FF\u0800\uFFFF"},       // edges of each length
      {"\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\U00010000\U0010FFFF"},
  };
  for (const RoundTrip& c : cases) {
    EXPECT_EQ(Utf8ToUtf16(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(Utf16ToUtf8(c.utf16), c.utf8) << c.utf8;
  }
}

TEST(Utf8, IllFormedUtf8IsRefused) {
  const std::string cases[] = {
      "\x80",                  // continuation without a lead
      "caf\xE9.com",           // an ANSI name, not UTF-8
      "\xC0\xAF",              // overlong "/"
      "\xC1\xBF",              // overlong, two bytes
      "\xE0\x80\xAF",          // overlong, three bytes
      "\xF0\x80\x80\xAF",      // overlong, four bytes
      "\xED\xA0\x80",          // a surrogate written as UTF-8
      "\xED\xBF\xBF",          // the last low surrogate
      "\xF4\x90\x80\x80",      // past U+10FFFF
      "\xF8\x88\x80\x80\x80",  // five-byte form
      "\xFF",
      "\xC3",                  // cut off after the lead
      "ab\xE6\xAF",            // cut off inside
      "\xC3(",                 // lead followed by a plain character
      "\xF0\x9F\x98",          // emoji without its last byte
  };
  for (const std::string& c : cases) EXPECT_FALSE(Utf8ToUtf16(c).has_value()) << ::testing::PrintToString(c);
}

TEST(Utf8, LoneAndReversedSurrogatesAreRefused) {
  const std::u16string cases[] = {u"\xD800", u"a\xDC00", std::u16string{0xDC00, 0xD800}, std::u16string{0xD83D, 'a'},
                                  std::u16string{'x', 0xDBFF}};
  for (const std::u16string& c : cases) EXPECT_FALSE(Utf16ToUtf8(c).has_value());
}

TEST(Utf8, CharactersAreCountedByCodePoint) {
  struct Case {
    std::string text;
    std::size_t count;
    std::size_t offsetOfThird;
  };
  const Case cases[] = {
      {"abcd", 4, 2},
      {"\xD0\xB2\xD0\xB8\xD1\x80", 3, 4},             // вир
      {"\xF0\x9F\x98\x88\xF0\x9F\x98\x88x", 3, 8},  // two emoji and a letter
      {"a\xFF\xE6\xAFz", 5, 2},                      // stray bytes count one each
      {"\xE7\x97\x85", 1, 3},                        // shorter than three: the end
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CharacterCount(c.text), c.count) << ::testing::PrintToString(c.text);
    EXPECT_EQ(CharacterOffset(c.text, 2), c.offsetOfThird) << ::testing::PrintToString(c.text);
  }
}

}  // namespace
}  // namespace tarvex::sys
