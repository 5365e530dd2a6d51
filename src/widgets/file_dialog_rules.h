#pragma once
// How the open and save wrappers of cCommonDialog turn their by-reference
// arguments into one call of the system's file dialog and its answer back
// into those arguments. Plain C++, so that every rule is tested without a
// dialog on the screen.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex::filedlg {

// Flags of the file dialogs, with the platform's values.
inline constexpr std::int32_t kReadOnly = 0x1;
inline constexpr std::int32_t kOverwritePrompt = 0x2;
inline constexpr std::int32_t kHideReadOnly = 0x4;
inline constexpr std::int32_t kEnableHook = 0x20;
inline constexpr std::int32_t kEnableTemplate = 0x40;
inline constexpr std::int32_t kAllowMultiSelect = 0x200;
inline constexpr std::int32_t kFileMustExist = 0x1000;

// Characters of the file name and title buffers, terminating NUL included.
inline constexpr std::size_t kBufferChars = 260;

// The caller's flags without the hook and template bits (the wrapper installs
// neither), plus those the options ask for.
std::int32_t OpenFlags(std::int32_t flags, bool fileMustExist, bool multiSelect, bool readOnly, bool hideReadOnly);
std::int32_t SaveFlags(std::int32_t flags, bool overwritePrompt);

// "All (*.*)| *.*" as the dialog takes it: a NUL in place of every "|" and
// every ":", and two NULs at the end.
std::string BuildFilter(std::string_view filter);

// The index-th pair (from 1) of a built filter as description, NUL, pattern;
// "" for an empty filter or an index that is no pair.
std::string FilterEntry(std::string_view built, std::int32_t index);

// A name or title buffer: the text, then NULs up to kBufferChars in all. A
// longer text is cut so that one NUL always ends it.
std::string Buffer(std::string_view text);

// A buffer's text up to its first NUL.
std::string UpToNul(std::string_view buffer);

// What the dialog reported, and what the caller's arguments become.
struct Reply {
  int apiReturn = 0;  // the dialog's return value
  std::string fileBuffer;
  std::string titleBuffer;
  std::int32_t flags = 0;
  std::int32_t filterIndex = 0;
};
struct Outcome {
  bool confirmed = false;
  std::string Filename;
  std::string FileTitle;
  std::string Filter;
  std::int32_t FilterIndex = -1;
  std::int32_t flags = 0;
  bool readOnlyTicked = false;
};
Outcome Interpret(const Reply& reply, std::string_view builtFilter);

}  // namespace tarvex::filedlg
