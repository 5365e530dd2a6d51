#pragma once
// Paths handed to the wide file functions get the long-path form
// ("\\?\C:\...", "\\?\UNC\server\share\...") so that neither their depth nor
// their names (trailing dots or spaces, device names such as "con.exe") keep a
// file from being reached.
#include <optional>
#include <string>
#include <string_view>

#include "base/wide_text_win32.h"

namespace tarvex::sys::win32 {

// The path as the wide file functions take it. An absolute path (drive or
// UNC) is written in the long-path form; a relative one, or one holding "."
// or "..", is first made full by the system when it is too long for the
// classic limit, and otherwise passed as it is. No value for ill-formed UTF-8
// or a path holding a NUL.
std::optional<std::wstring> WidePath(std::string_view utf8);

// The system's full form of a path ("." and ".." folded, made absolute); no
// value when it cannot be had.
std::optional<std::wstring> FullPath(const std::wstring& path);

// A path the system reports, without the long-path prefix, as UTF-8: the
// form the program builds itself. No value when it holds a lone surrogate.
std::optional<std::string> ReportedPath(std::wstring_view wide);

}  // namespace tarvex::sys::win32
