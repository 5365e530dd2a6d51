#include "signatures/sequential_input.h"

#include <algorithm>

namespace tarvex {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
}  // namespace

std::optional<std::string> SequentialInput::Next() {
  if (pos_ >= text_.size()) return std::nullopt;
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;

  std::optional<std::string> quoted;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t close = std::min(text_.find('"', pos_ + 1), text_.size());
    quoted.emplace(text_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = std::min(close + 1, text_.size());
  }
  // A quoted field's rest up to the delimiter is passed over.
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  std::size_t end = pos_;
  while (end > start && IsBlank(text_[end - 1])) --end;

  // Past the comma or line end that closed the field; CR LF is one line end.
  if (text_.substr(pos_, 2) == "\r\n") ++pos_;
  if (pos_ < text_.size()) ++pos_;
  return quoted ? quoted : std::string(text_.substr(start, end - start));
}

}  // namespace tarvex
