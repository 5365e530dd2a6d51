#pragma once
// What a console program needs from the platform: its arguments as UTF-8,
// whether an output stream is a terminal, writing UTF-8 text to it, and the
// database's ANSI text in the form the other output is written in.
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::sys {

enum class Stream { Out, Err };

// The program's arguments after its name, as UTF-8 (on Windows from the wide
// command line, so that any name a user types arrives whole).
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// True when the stream is an interactive terminal (a console window), false
// for a file or a pipe.
bool IsTerminal(Stream stream);

// Columns of the terminal behind the stream; 80 when it cannot be told.
std::size_t TerminalWidth(Stream stream);

// Writes UTF-8 text as it stands; a Windows console gets it as characters.
void Write(Stream stream, std::string_view utf8);

// A text of the database (ANSI in the system's code page) as UTF-8. The
// native build reads its database as UTF-8 already and returns it unchanged.
std::string AnsiToUtf8(const std::string& ansi);
// The other way, for the activity log: a character the code page lacks becomes '?'.
std::string Utf8ToAnsi(const std::string& utf8);

// False only when the folder cannot be listed at all (it is gone, or access
// is denied); an empty folder or an empty drive can.
bool FolderListable(const std::string& folder);

}  // namespace tarvex::sys
