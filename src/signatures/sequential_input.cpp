#include "signatures/sequential_input.h"

#include <algorithm>

namespace tarvex {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// CR LF counts once, as the reader takes it.
std::size_t LineEnds(std::string_view text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++n;
  }
  return n;
}
}  // namespace

std::optional<std::string> SequentialInput::Next() {
  if (pos_ >= text_.size()) return std::nullopt;
  const std::size_t begin = pos_;
  fieldLine_ = line_;
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;

  std::optional<std::string> quoted;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t close = std::min(text_.find('"', pos_ + 1), text_.size());
    quoted.emplace(text_.substr(pos_ + 1, close - pos_ - 1));
    line_ += LineEnds(*quoted);
    pos_ = std::min(close + 1, text_.size());
  }
  // A quoted field's rest up to the delimiter is passed over.
  const std::size_t start = pos_;
  while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  std::size_t end = pos_;
  while (end > start && IsBlank(text_[end - 1])) --end;

  plain_ = !quoted && start == begin && end == pos_ && (pos_ == text_.size() || IsLineEnd(text_[pos_]));
  if (pos_ < text_.size() && IsLineEnd(text_[pos_])) ++line_;
  // Past the comma or line end that closed the field; CR LF is one line end.
  if (text_.substr(pos_, 2) == "\r\n") ++pos_;
  if (pos_ < text_.size()) ++pos_;
  return quoted ? quoted : std::string(text_.substr(start, end - start));
}

}  // namespace tarvex
