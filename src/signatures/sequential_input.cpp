#include "signatures/sequential_input.h"

namespace tarvex {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
}  // namespace

void SequentialInput::SkipDelimiter() {
  if (pos_ >= text_.size()) return;
  if (text_[pos_] == ',') {
    ++pos_;
  } else if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
  } else if (text_[pos_] == '\n') {
    ++pos_;
  }
}

std::optional<std::string> SequentialInput::Next() {
  if (pos_ >= text_.size()) return std::nullopt;
  while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;

  std::string field;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    std::size_t close = text_.find('"', pos_ + 1);
    if (close == std::string_view::npos) close = text_.size();
    field.assign(text_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close < text_.size() ? close + 1 : close;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
  } else {
    std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(text_[end - 1])) --end;
    field.assign(text_.substr(start, end - start));
  }
  SkipDelimiter();
  return field;
}

}  // namespace tarvex
