#include "scan/heuristics.h"

#include <algorithm>
#include <array>
#include <string>

namespace tarvex::heuristics {

namespace {

constexpr std::array<std::string_view, 4> kProgramExtensions = {".exe", ".scr", ".com", ".pif"};
constexpr std::array<std::string_view, 18> kDocumentExtensions = {
    "jpg", "jpeg", "png", "gif", "bmp", "doc", "docx", "xls", "xlsx",
    "ppt", "pptx", "pdf", "txt", "rtf", "mp3", "mp4", "avi", "3gp"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Letter case ignored for the ASCII letters only: the file system's own case
// table is not at hand in portable code, and every extension is ASCII.
bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string LowerText(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = Lower(c);
  return lower;
}

bool EndsWithText(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && SameText(text.substr(text.size() - tail.size()), tail);
}

bool IsProgramByContent(std::string_view head) { return head.size() >= 2 && head[0] == 'M' && head[1] == 'Z'; }

// The name without its program extension; no value when it has none.
std::optional<std::string_view> ProgramStem(std::string_view name) {
  for (std::string_view ext : kProgramExtensions) {
    if (name.size() > ext.size() && EndsWithText(name, ext)) return name.substr(0, name.size() - ext.size());
  }
  return std::nullopt;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// UTF-16LE with its byte-order mark, as Notepad's "Unicode" saves it, read as
// the ASCII it spells; any other character becomes '?', which no key holds.
std::string AsNarrowText(std::string_view content) {
  if (content.size() < 2 || static_cast<unsigned char>(content[0]) != 0xFF ||
      static_cast<unsigned char>(content[1]) != 0xFE) {
    if (content.size() >= 3 && content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
    return std::string(content);
  }
  std::string out;
  for (std::size_t i = 2; i + 1 < content.size(); i += 2) {
    out += content[i + 1] == 0 && content[i] != 0 ? content[i] : '?';
  }
  return out;
}

// The value of a key as the system takes it: a comment after ';' and the
// quotes around it left out.
std::string_view ValueOf(std::string_view value) {
  value = Trimmed(value.substr(0, value.find(';')));
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = Trimmed(value.substr(1, value.size() - 2));
  return value;
}

// A program named X.exe, .scr, .com or .pif beside a hidden folder X: the
// worm hides the user's folder and takes its place.
bool IsFolderTwin(std::string_view name, std::string_view head, const HiddenFolders& folder) {
  std::optional<std::string_view> stem = ProgramStem(name);
  return stem && IsProgramByContent(head) && folder.Has(*stem);
}

// A program named like a document: foto.jpg.exe, "tugas.doc      .exe".
bool IsDoubleExtension(std::string_view name, std::string_view head) {
  std::optional<std::string_view> stem = ProgramStem(name);
  if (!stem || !IsProgramByContent(head)) return false;
  std::string_view document = *stem;
  while (!document.empty() && document.back() == ' ') document.remove_suffix(1);
  for (std::string_view ext : kDocumentExtensions) {
    if (document.size() > ext.size() && EndsWithText(document, ext) && document[document.size() - ext.size() - 1] == '.')
      return true;
  }
  return false;
}

}  // namespace

HiddenFolders::HiddenFolders(const std::vector<sys::DirEntry>& entries) {
  constexpr std::uint32_t kHiddenFolder = sys::kAttrDirectory | sys::kAttrHidden;
  for (const sys::DirEntry& entry : entries) {
    if ((entry.attributes & kHiddenFolder) == kHiddenFolder) names_.push_back(LowerText(entry.name));
  }
  std::sort(names_.begin(), names_.end());
}

bool HiddenFolders::Has(std::string_view name) const {
  return std::binary_search(names_.begin(), names_.end(), LowerText(name));
}

std::optional<std::string_view> FileHeuristic(std::string_view name, std::string_view head,
                                              const HiddenFolders& folder) {
  if (IsFolderTwin(name, head, folder)) return kFolderTwin;
  if (IsDoubleExtension(name, head)) return kDoubleExt;
  return std::nullopt;
}

bool IsAutorunName(std::string_view name) { return SameText(name, "autorun.inf"); }

bool AutorunStartsProgram(std::string_view content) {
  const std::string text = AsNarrowText(content);
  bool inAutorun = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = Trimmed(std::string_view(text).substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      std::size_t close = line.find(']');
      std::string_view section = close == std::string_view::npos ? "" : Trimmed(line.substr(1, close - 1));
      // [autorun.amd64] and its kind are read in preference by the system they name.
      inAutorun = SameText(section, "autorun") || (section.size() > 8 && SameText(section.substr(0, 8), "autorun."));
      continue;
    }
    std::size_t equals = line.find('=');
    if (!inAutorun || equals == std::string_view::npos) continue;
    std::string_view key = Trimmed(line.substr(0, equals));
    if ((SameText(key, "open") || SameText(key, "shellexecute")) && !ValueOf(line.substr(equals + 1)).empty())
      return true;
  }
  return false;
}

}  // namespace tarvex::heuristics
