#pragma once
// File classification: kind of file by its name, executable packer and
// compiler by the byte marks of the built-in tables.
#include <optional>
#include <string>

namespace tarvex {

// Kind of file from the last four characters of a name or path, any case:
// "Application" for .EXE, "Screen Saver" for .SCR, ... "Tak diketahui." else.
std::string FileTypeOf(const std::string& name);

// Name of the first packer-table entry whose mark occurs anywhere in the
// file, or "Tiada". No value when the file cannot be read.
std::optional<std::string> DetectPacker(const std::string& path);

// The same over the compiler table, with "Tak Diketahui" as the fallback.
std::optional<std::string> DetectCompiler(const std::string& path);

}  // namespace tarvex
