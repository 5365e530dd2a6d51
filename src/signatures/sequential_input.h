#pragma once
// Reads a text file field by field the way the database has always been read
// (the classic sequential "Input #" rules):
//  - leading spaces and tabs are skipped;
//  - a field that starts with a double quote runs to the next double quote
//    (line ends and commas included); the quotes are dropped and whatever
//    follows up to the next comma or line end is discarded;
//  - any other field ends at a comma or a line end (CR LF, lone LF or lone
//    CR) and loses its trailing spaces and tabs;
//  - a blank line is one empty field; a line end right after the last
//    character of the text adds no field.
// Every other byte, NUL included, is ordinary field text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex {

class SequentialInput {
 public:
  explicit SequentialInput(std::string_view text) : text_(text) {}

  // The next field, or no value at the end of the text.
  std::optional<std::string> Next();

  // Of the field Next gave last: the line it starts on (from 1), and whether
  // it is its line's whole text as it stands (not quoted, no blanks dropped,
  // not ended by a comma).
  std::size_t Line() const { return fieldLine_; }
  bool Plain() const { return plain_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
  std::size_t fieldLine_ = 0;
  bool plain_ = false;
};

}  // namespace tarvex
