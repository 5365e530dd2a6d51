#include "scan/heuristics.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

namespace tarvex::heuristics {

namespace {

constexpr std::array<std::string_view, 4> kProgramExtensions = {".exe", ".scr", ".com", ".pif"};
// What users keep on a stick: pictures, video, audio, archives and office files.
constexpr std::string_view kDocumentExtensions[] = {
    "jpg", "jpeg", "png", "gif", "bmp", "tif", "tiff",                                          //
    "mp4", "avi", "3gp", "mkv", "flv", "wmv", "mov", "mpg", "mpeg", "vob", "m4v", "webm",      //
    "mp3", "wav", "wma", "aac", "m4a", "ogg", "flac", "amr", "mid",                           //
    "zip", "rar", "7z", "gz", "tar", "tgz",                                                   //
    "doc", "docx", "xls", "xlsx", "ppt", "pptx", "pps", "ppsx", "pdf", "txt", "rtf", "odt", "ods",
    "odp", "csv"};
// Programs that run a script or a library named on their command line.
constexpr std::string_view kScriptHosts[] = {"wscript.exe", "cscript.exe", "mshta.exe",    "cmd.exe",
                                             "command.com", "powershell.exe", "rundll32.exe", "regsvr32.exe"};
constexpr std::string_view kScriptExtensions[] = {"vbs", "vbe", "js", "jse", "wsf", "wsh", "hta", "bat", "cmd", "ps1"};
// Where the worms hide their copies, out of the user's sight.
constexpr std::string_view kHidingFolders[] = {"recycler", "recycled", "$recycle.bin", "system volume information"};
// U+202E RIGHT-TO-LEFT OVERRIDE in UTF-8: "foto", the override, "gpj.exe" shows as "fotoexe.jpg".
constexpr std::string_view kRightToLeftOverride = "\xE2\x80\xAE";
// Spaces before the program extension that push it out of Explorer's column.
constexpr std::size_t kPaddingSpaces = 2;

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

bool IsOneOf(std::string_view text, std::span<const std::string_view> list) {
  return std::any_of(list.begin(), list.end(), [text](std::string_view entry) { return SameText(text, entry); });
}

// A program named like a document: "foto.jpg.exe", "tugas.doc      .exe",
// or turned round by a right-to-left override. A name with more dots is a
// program's own ("Word.to.PDF.exe").
bool IsDoubleExtension(std::string_view name, std::string_view head) {
  std::optional<std::string_view> stem = ProgramStem(name);
  if (!stem || !IsProgramByContent(head)) return false;
  if (name.find(kRightToLeftOverride) != std::string_view::npos) return true;
  std::string_view document = *stem;
  while (!document.empty() && document.back() == ' ') document.remove_suffix(1);
  if (stem->size() - document.size() >= kPaddingSpaces) return true;
  const std::size_t dot = document.find('.');
  if (dot == std::string_view::npos || document.find('.', dot + 1) != std::string_view::npos) return false;
  return IsOneOf(document.substr(dot + 1), kDocumentExtensions);
}

bool IsScript(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return IsOneOf(name, kScriptHosts) || (dot != std::string_view::npos && IsOneOf(name.substr(dot + 1), kScriptExtensions));
}

// The program of a command as the system finds it: what the quotes hold, or
// else the first run of words that ends in an extension ("My Program.exe /s"),
// or else the first word.
std::string_view ProgramOf(std::string_view command) {
  if (command.front() == '"') {
    command.remove_prefix(1);
    return Trimmed(command.substr(0, command.find('"')));
  }
  for (std::size_t end = command.find(' '); end != std::string_view::npos; end = command.find(' ', end + 1)) {
    if (FileNameOf(command.substr(0, end)).find('.') != std::string_view::npos) return command.substr(0, end);
  }
  return FileNameOf(command).find('.') != std::string_view::npos ? command : command.substr(0, command.find(' '));
}

// open=, shellexecute= and shell\VERB\command=.
bool StartsAProgram(std::string_view key) {
  if (SameText(key, "open") || SameText(key, "shellexecute")) return true;
  constexpr std::string_view kShell = "shell\\", kCommand = "\\command";
  return key.size() > kShell.size() + kCommand.size() && SameText(key.substr(0, kShell.size()), kShell) &&
         EndsWithText(key, kCommand);
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

bool SameName(std::string_view a, std::string_view b) { return SameText(a, b); }

std::string FoldedName(std::string_view name) { return LowerText(name); }

bool IsHiddenEntry(std::uint32_t attributes) { return (attributes & (sys::kAttrHidden | sys::kAttrSystem)) != 0; }

std::string_view FileNameOf(std::string_view path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool InHidingFolder(std::string_view path) {
  while (!path.empty()) {
    const std::size_t cut = path.find_first_of("\\/");
    if (IsOneOf(path.substr(0, cut), kHidingFolders)) return true;
    if (cut == std::string_view::npos) break;
    path.remove_prefix(cut + 1);
  }
  return false;
}

bool IsAutorunName(std::string_view name) { return SameText(name, "autorun.inf"); }

std::vector<std::string> AutorunTargets(std::string_view content) {
  const std::string text = AsNarrowText(content);
  std::vector<std::string> targets;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string_view line = Trimmed(std::string_view(text).substr(start, end - start));
    start = end + 1;
    const std::size_t equals = line.find('=');
    if (line.empty() || line.front() == ';' || line.front() == '[' || equals == std::string_view::npos) continue;
    if (!StartsAProgram(Trimmed(line.substr(0, equals)))) continue;
    const std::string_view command = ValueOf(line.substr(equals + 1));
    if (command.empty()) continue;
    const std::string_view program = ProgramOf(command);
    if (!program.empty()) targets.emplace_back(program);
  }
  return targets;
}

bool AutorunIsSuspicious(bool autorunHidden, const std::vector<AutorunTarget>& targets) {
  if (targets.empty()) return false;
  if (autorunHidden) return true;
  return std::any_of(targets.begin(), targets.end(), [](const AutorunTarget& t) {
    return t.hidden || t.detected || IsScript(t.path) || InHidingFolder(t.path);
  });
}

}  // namespace tarvex::heuristics
