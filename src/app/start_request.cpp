#include "app/start_request.h"

#include <cctype>
#include <sstream>

namespace tarvex {

namespace {

constexpr char kGuardSwitch[] = "/jaga";
// Neither a path nor the switch holds a line break, so lines keep them apart.
constexpr char kGuardLine[] = "jaga";
constexpr char kFolderPrefix[] = "folder ";

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

bool IsGuardSwitch(const std::string& argument) {
  if (argument.size() != sizeof kGuardSwitch - 1) return false;
  for (std::size_t i = 0; i < argument.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(argument[i])) != kGuardSwitch[i]) return false;
  return true;
}

std::string FolderRoot(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  if (path.size() == 2 && path[1] == ':') path += '\\';
  return path;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < commandLine.size()) {
    while (i < commandLine.size() && IsSpace(commandLine[i])) ++i;
    if (i == commandLine.size()) break;
    std::string word;
    bool quoted = false;
    // A quote may open and close anywhere inside one word, as the system's own splitting allows.
    for (; i < commandLine.size() && (quoted || !IsSpace(commandLine[i])); ++i) {
      if (commandLine[i] == '"') {
        quoted = !quoted;
      } else {
        word += commandLine[i];
      }
    }
    words.push_back(std::move(word));
  }
  if (!words.empty()) words.erase(words.begin());  // the program's own name
  return words;
}

StartRequest ParseStartRequest(const std::vector<std::string>& arguments) {
  StartRequest request;
  for (const std::string& argument : arguments) {
    if (IsGuardSwitch(argument)) {
      request.guard = true;
    } else if (std::string root = FolderRoot(argument); !root.empty()) {
      request.roots.push_back(std::move(root));
    }
  }
  return request;
}

std::string EncodeStartRequest(const StartRequest& request) {
  std::string text = request.guard ? std::string(kGuardLine) + "\n" : "";
  for (const std::string& root : request.roots) text += kFolderPrefix + root + "\n";
  return text;
}

std::optional<StartRequest> DecodeStartRequest(const std::string& text) {
  // No path holds a NUL: the system would read such a path as the part before
  // it, a folder that lists itself as its own subfolder.
  if (text.find('\0') != std::string::npos) return std::nullopt;
  StartRequest request;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line == kGuardLine) {
      request.guard = true;
    } else if (line.rfind(kFolderPrefix, 0) == 0 && line.size() > sizeof kFolderPrefix - 1) {
      request.roots.push_back(line.substr(sizeof kFolderPrefix - 1));
    }
  }
  return request;
}

}  // namespace tarvex
