#include "scan/shortcut_heuristics.h"

#include <algorithm>
#include <span>

#include "scan/heuristics.h"
#include "system/files.h"

namespace tarvex::heuristics {

namespace {

// Programs that run what their arguments name: command interpreters,
// script hosts, and Explorer, which starts a script it is handed.
constexpr std::string_view kLaunchers[] = {"cmd.exe",        "command.com", "wscript.exe", "cscript.exe", "mshta.exe",
                                           "powershell.exe", "pwsh.exe",    "explorer.exe"};
// Programs that load a library named on their command line.
constexpr std::string_view kLoaders[] = {"rundll32.exe", "regsvr32.exe"};
// What runs when started: programs, scripts and libraries.
constexpr std::string_view kRunnable[] = {"exe", "com", "scr", "pif", "bat", "cmd", "vbs", "vbe", "js",  "jse", "wsf",
                                          "wsh", "hta", "ps1", "dll", "cpl", "ocx", "msi", "jar"};
constexpr std::string_view kShortcutExtension = ".lnk";
// What separates the words of a command line: cmd's operators and the
// comma of rundll32's "library,entry".
constexpr std::string_view kSeparators = " \t\r\n\"'&|<>(),;";
constexpr std::string_view kCurrentFolder = "%cd%";

bool IsOneOf(std::string_view text, std::span<const std::string_view> list) {
  return std::any_of(list.begin(), list.end(), [text](std::string_view entry) { return SameName(text, entry); });
}

bool IsRunnable(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return dot != std::string_view::npos && IsOneOf(name.substr(dot + 1), kRunnable);
}

bool IsFolder(const StickEntry& e) { return (e.attributes & sys::kAttrDirectory) != 0; }

bool IsSwitch(std::string_view word) { return !word.empty() && (word.front() == '/' || word.front() == '-'); }

// "%cd%\x.vbs" is "x.vbs" in the folder the command runs in.
std::string_view WithoutCurrentFolder(std::string_view word) {
  if (word.size() > kCurrentFolder.size() && SameName(word.substr(0, kCurrentFolder.size()), kCurrentFolder) &&
      (word[kCurrentFolder.size()] == '\\' || word[kCurrentFolder.size()] == '/'))
    return word.substr(kCurrentFolder.size() + 1);
  return word;
}

void AddWord(std::vector<std::string>& words, std::string_view word) {
  word = WithoutCurrentFolder(word);
  if (word.empty() || IsSwitch(word) || std::find(words.begin(), words.end(), word) != words.end()) return;
  words.emplace_back(word);
}

// The library rundll32.exe or regsvr32.exe loads: their first argument
// that is no switch, quoted or up to a blank, without rundll32's ",entry".
std::string_view LibraryOf(std::string_view arguments) {
  for (;;) {
    arguments.remove_prefix(std::min(arguments.find_first_not_of(" \t"), arguments.size()));
    if (arguments.empty()) return {};
    std::string_view word;
    if (arguments.front() == '"') {
      const std::size_t close = arguments.find('"', 1);
      word = arguments.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    } else {
      word = arguments.substr(0, arguments.find_first_of(" \t,"));
    }
    if (!IsSwitch(word)) return WithoutCurrentFolder(word.substr(0, word.find(',')));
    arguments.remove_prefix(std::min(word.size() + 1, arguments.size()));
  }
}

// The files the arguments name that would run, or that hide.
std::vector<StickEntry> SuspiciousFilesNamed(std::string_view arguments, const StickLookup& find) {
  std::vector<StickEntry> files;
  for (const std::string& word : NamedInArguments(arguments)) {
    std::optional<StickEntry> e = find(word);
    if (!e || IsFolder(*e) || !(IsHiddenEntry(e->attributes) || IsRunnable(e->path))) continue;
    const bool known = std::any_of(files.begin(), files.end(), [&](const StickEntry& f) { return f.path == e->path; });
    if (!known) files.push_back(std::move(*e));
  }
  return files;
}

// The shortcut starts the hidden folder of its name and nothing else: by
// itself as target, or handed alone to Explorer.
bool StartsOnlyTheFolder(const ShellLink& link, std::string_view stem, const std::optional<StickEntry>& target,
                         const StickLookup& find) {
  auto isTheFolder = [&](const std::optional<StickEntry>& e) {
    return e && IsFolder(*e) && SameName(FileNameOf(e->path), stem);
  };
  if (isTheFolder(target)) return link.arguments.find_first_not_of(" \t") == std::string::npos;
  if (!SameName(FileNameOf(link.TargetPath()), "explorer.exe")) return false;
  const std::vector<std::string> words = NamedInArguments(link.arguments);
  return !words.empty() &&
         std::all_of(words.begin(), words.end(), [&](const std::string& w) { return isTheFolder(find(w)); });
}

void AddStarted(std::vector<StickEntry>& started, StickEntry entry) {
  const bool known = std::any_of(started.begin(), started.end(), [&](const StickEntry& s) { return s.path == entry.path; });
  if (!known) started.push_back(std::move(entry));
}

}  // namespace

bool IsShortcutName(std::string_view name) {
  return name.size() > kShortcutExtension.size() &&
         SameName(name.substr(name.size() - kShortcutExtension.size()), kShortcutExtension);
}

std::vector<std::string> NamedInArguments(std::string_view arguments) {
  std::vector<std::string> words;
  for (std::size_t open = arguments.find('"'); open != std::string_view::npos;) {
    const std::size_t close = arguments.find('"', open + 1);
    if (close == std::string_view::npos) break;
    AddWord(words, arguments.substr(open + 1, close - open - 1));
    open = arguments.find('"', close + 1);
  }
  for (std::size_t start = arguments.find_first_not_of(kSeparators); start != std::string_view::npos;) {
    const std::size_t end = arguments.find_first_of(kSeparators, start);
    AddWord(words, arguments.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = arguments.find_first_not_of(kSeparators, end);
  }
  return words;
}

ShortcutVerdict JudgeShortcut(const ShellLink& link, std::string_view shortcutName, bool hiddenFolderOfItsName,
                              const StickLookup& find) {
  const std::string targetPath = link.TargetPath();
  const std::string_view program = FileNameOf(targetPath);
  std::optional<StickEntry> target = targetPath.empty() ? std::nullopt : find(targetPath);
  // A stick that had another drive letter when the shortcut was made.
  if (!target && !link.relativePath.empty()) target = find(link.relativePath);
  const bool targetIsFile = target && !IsFolder(*target);

  ShortcutVerdict verdict;
  if (IsOneOf(program, kLaunchers)) {
    verdict.started = SuspiciousFilesNamed(link.arguments, find);
  } else if (IsOneOf(program, kLoaders)) {
    std::optional<StickEntry> library = find(LibraryOf(link.arguments));
    if (library && !IsFolder(*library)) {
      verdict.started.push_back(std::move(*library));
      for (StickEntry& e : SuspiciousFilesNamed(link.arguments, find)) AddStarted(verdict.started, std::move(e));
    }
  }
  if (targetIsFile && IsRunnable(target->path) && (IsHiddenEntry(target->attributes) || InHidingFolder(target->path)))
    AddStarted(verdict.started, *target);
  verdict.worm = !verdict.started.empty();

  if (hiddenFolderOfItsName && IsShortcutName(shortcutName)) {
    const std::string_view stem = shortcutName.substr(0, shortcutName.size() - kShortcutExtension.size());
    if (!StartsOnlyTheFolder(link, stem, target, find)) {
      verdict.worm = true;
      if (targetIsFile) AddStarted(verdict.started, *target);
    }
  }
  return verdict;
}

}  // namespace tarvex::heuristics
