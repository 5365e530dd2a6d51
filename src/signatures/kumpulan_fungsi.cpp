#include "signatures/kumpulan_fungsi.h"

#include <cstdint>
#include <vector>

#include "signatures/signature_database.h"
#include "signatures/string_signature.h"
#include "system/files.h"

namespace tarvex {

namespace {

struct TypeKey {
  const char* tail;
  const char* type;
};

// Order as compared. "HTML" has no dot on purpose: it covers .html and
// .xhtml alike (and leaves .htm out).
const TypeKey kTypes[] = {
    {".BAT", "MS DOS Batch File"},
    {".EXE", "Application"},
    {".JPG", "Image"},
    {".BMP", "Image"},
    {".GIF", "Image"},
    {".XLS", "Ms Excel Document"},
    {".PDF", "Adobe Acrobat Document"},
    {".HLP", "Help File"},
    {".DOC", "Ms Word Document"},
    {".RTF", "Rich Text Format"},
    {".SWF", "Flash Movie"},
    {".FLA", "Flash Document"},
    {".TXT", "Text Document"},
    {".DLL", "Dynamic Link Library"},
    {".SCR", "Screen Saver"},
    {"HTML", "HTML Document"},
    {".ZIP", "Compressed"},
};

// The file is read once; the walk over the table then decides exactly as
// searching the file afresh for every entry would.
std::optional<std::string> FirstMark(const std::string& path, std::string (*table)(std::int16_t),
                                     const char* fallback) {
  std::optional<std::vector<unsigned char>> bytes = sys::ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  for (std::int16_t i = 1;; ++i) {
    std::string entry = table(i);
    if (entry == kTableSentinel || entry.empty()) break;
    // A packer or compiler entry splits like a database entry: the name is all after the first colon.
    DatabaseEntry e = SplitDatabaseEntry(entry);
    if (ContainsPattern(*bytes, HexToChars(e.key))) return e.name;
  }
  return std::string(fallback);
}

}  // namespace

std::string FileTypeOf(const std::string& name) {
  std::string tail = name.size() > 4 ? name.substr(name.size() - 4) : name;
  // Only ASCII letters can make a key equal, so the C locale's rules suffice.
  for (char& c : tail) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  for (const TypeKey& key : kTypes) {
    if (tail == key.tail) return key.type;
  }
  return "Tak diketahui.";
}

std::optional<std::string> DetectPacker(const std::string& path) {
  return FirstMark(path, &PackerSignature, "Tiada");
}

std::optional<std::string> DetectCompiler(const std::string& path) {
  return FirstMark(path, &CompilerSignature, "Tak Diketahui");
}

}  // namespace tarvex
