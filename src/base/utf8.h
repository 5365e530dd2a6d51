#pragma once
// Conversions between the UTF-8 text that carries file names through the
// program and the UTF-16 text of the system's wide-character calls. Only
// well-formed text converts: a name that cannot be represented exactly is
// refused rather than turned into some other name.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::sys {

// No value for ill-formed UTF-8: stray continuation bytes, overlong forms,
// encoded surrogates, code points past U+10FFFF, truncated sequences.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

// No value for a lone or reversed surrogate.
std::optional<std::string> Utf16ToUtf8(std::u16string_view text);

// The number of characters (code points) in UTF-8 text; a byte that is not
// part of a well-formed sequence counts as one character.
std::size_t CharacterCount(std::string_view text);

// The length of the well-formed sequence at `at`, 0 when there is none.
std::size_t SequenceLength(std::string_view text, std::size_t at);

// The text with U+FFFD for every byte that is not part of a well-formed
// sequence: one for each such byte, as CharacterCount counts them.
std::string WithReplacementCharacters(std::string_view text);

// The byte offset of the character `characters` places from the start,
// counted as CharacterCount does; the text's size when it has fewer.
std::size_t CharacterOffset(std::string_view text, std::size_t characters);

}  // namespace tarvex::sys
