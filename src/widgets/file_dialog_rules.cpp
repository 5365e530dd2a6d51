#include "widgets/file_dialog_rules.h"

namespace tarvex::filedlg {

std::int32_t OpenFlags(std::int32_t flags, bool fileMustExist, bool multiSelect, bool readOnly, bool hideReadOnly) {
  flags &= ~(kEnableHook | kEnableTemplate);
  if (fileMustExist) flags |= kFileMustExist;
  if (multiSelect) flags |= kAllowMultiSelect;
  if (readOnly) flags |= kReadOnly;
  if (hideReadOnly) flags |= kHideReadOnly;
  return flags;
}

std::int32_t SaveFlags(std::int32_t flags, bool overwritePrompt) {
  flags &= ~(kEnableHook | kEnableTemplate);
  if (overwritePrompt) flags |= kOverwritePrompt;
  return flags;
}

std::string BuildFilter(std::string_view filter) {
  std::string built(filter);
  for (char& c : built) {
    if (c == '|' || c == ':') c = '\0';
  }
  built.append(2, '\0');
  return built;
}

std::string FilterEntry(std::string_view built, std::int32_t index) {
  if (index < 1) return "";
  std::size_t pos = 0;
  for (std::int32_t pair = 1;; ++pair) {
    std::size_t descriptionEnd = built.find('\0', pos);
    // The double NUL ends the list: an empty description is no pair.
    if (descriptionEnd == std::string_view::npos || descriptionEnd == pos) return "";
    std::size_t patternEnd = built.find('\0', descriptionEnd + 1);
    if (patternEnd == std::string_view::npos) return "";
    if (pair == index) return std::string(built.substr(pos, patternEnd - pos));
    pos = patternEnd + 1;
  }
}

std::string Buffer(std::string_view text) {
  std::string buffer(text.substr(0, kBufferChars - 1));
  buffer.resize(kBufferChars, '\0');
  return buffer;
}

std::string UpToNul(std::string_view buffer) { return std::string(buffer.substr(0, buffer.find('\0'))); }

Outcome Interpret(const Reply& reply, std::string_view builtFilter) {
  Outcome out;
  if (reply.apiReturn != 1) return out;
  out.confirmed = true;
  out.Filename = UpToNul(reply.fileBuffer);
  out.FileTitle = UpToNul(reply.titleBuffer);
  out.flags = reply.flags;
  out.FilterIndex = reply.filterIndex;
  out.Filter = FilterEntry(builtFilter, reply.filterIndex);
  out.readOnlyTicked = (reply.flags & kReadOnly) != 0;
  return out;
}

}  // namespace tarvex::filedlg
