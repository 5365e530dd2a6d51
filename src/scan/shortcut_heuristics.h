#pragma once
// The shortcut worms of the flash disks: a shortcut dressed as a folder or
// a drive that starts the worm from the stick, and opens the user's folder
// after it as if nothing happened. These are rules only: the caller reads
// the shortcut and finds on the stick what it names.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "signatures/shell_link.h"

namespace tarvex::heuristics {

// ".lnk" at the end, in any letter case.
bool IsShortcutName(std::string_view name);

// A file or folder on the scanned stick, as its listing spells and marks it.
struct StickEntry {
  std::string path;
  std::uint32_t attributes = 0;
};
// What a path written in a shortcut (its target, a word of its arguments)
// names on the stick; no value when it names nothing there.
using StickLookup = std::function<std::optional<StickEntry>(std::string_view written)>;

struct ShortcutVerdict {
  bool worm = false;
  // The files on the stick the shortcut starts (a script, a library, a
  // program, what they are handed), never a folder: the user's folder it
  // opens stays the user's.
  std::vector<StickEntry> started;
};

// A shortcut is a worm's when it
// - starts a command interpreter or script host (cmd.exe, wscript.exe,
//   mshta.exe, powershell.exe, explorer.exe, ...) whose arguments name a
//   script, program or library on the stick, or a hidden or system file there;
// - starts rundll32.exe or regsvr32.exe on a library that lies on the stick;
// - starts a program or script on the stick that is hidden or system, or
//   lies in a recycle-bin or system-volume folder;
// - or stands in the place of a hidden folder of its name
//   (`hiddenFolderOfItsName`) and starts anything but that folder alone.
// A shortcut to a visible document, folder or program, and a launcher that
// opens only those, is the user's own.
ShortcutVerdict JudgeShortcut(const ShellLink& link, std::string_view shortcutName, bool hiddenFolderOfItsName,
                              const StickLookup& find);

// The words of a shortcut's arguments that may name a file: every quoted
// text whole, and every word between the command line's separators (blanks,
// quotes, & | < > ( ) , ;), switches left out and "%cd%\" taken as the
// current folder. Exposed for the fuzz target.
std::vector<std::string> NamedInArguments(std::string_view arguments);

}  // namespace tarvex::heuristics
