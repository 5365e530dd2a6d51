#include "console/unhide_command.h"

#include "remedy/unhide.h"
#include "remedy/unhide_rules.h"

namespace tarvex::console {

namespace {

constexpr int kRefused = 1;

int Say(ConsoleIo& io, int status, const std::string& text) {
  io.Write(sys::Stream::Err, "tarvex-scan: " + text + "\n");
  return status;
}

int Refuse(ConsoleIo& io, const std::string& path, const std::string& reason) {
  return Say(io, kRefused,
             "refused: " + path + " is " + reason + ", whose files must keep their attributes; nothing was changed");
}

// What a blank name is made of, since no one sees it: "1 no-break space",
// "2 no-break spaces and 1 space".
std::string BlanksOf(const std::string& path) {
  const std::string name = path.substr(path.find_last_of("\\/") + 1);
  std::size_t spaces = 0, noBreak = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (name[i] == ' ') ++spaces;
    else if (static_cast<unsigned char>(name[i]) == 0xC2) ++noBreak;
  }
  auto count = [](std::size_t n, const std::string& what) {
    return std::to_string(n) + " " + what + (n == 1 ? "" : "s");
  };
  if (!spaces) return count(noBreak, "no-break space");
  return noBreak ? count(noBreak, "no-break space") + " and " + count(spaces, "space") : count(spaces, "space");
}

}  // namespace

UnhideServices SystemUnhideServices() {
  return {.resolve = sys::ResolveFinalPath,
          .systemFolders = sys::TheSystemFolders,
          .driveType = sys::DriveTypeOf,
          .files = sys::SystemAttributeFiles()};
}

int RunUnhide(const std::string& path, ConsoleIo& io, const UnhideServices& services) {
  // An administrative share is refused as typed, even when the host cannot
  // be reached to resolve it.
  if (std::optional<std::string> reason = unhide::RefusalReason(path, {})) return Refuse(io, path, *reason);
  const sys::FinalPath final = services.resolve(path);
  switch (final.kind) {
    case sys::FinalPath::Kind::Missing: return Say(io, kError, "cannot find " + path);
    case sys::FinalPath::Kind::Unresolved:
      return Say(io, kRefused, "refused: cannot tell where " + path + " leads; nothing was changed");
    case sys::FinalPath::Kind::File: return Say(io, kError, path + " is not a folder");
    case sys::FinalPath::Kind::Folder: break;
  }
  const std::string shown = final.path == path ? path : path + " (" + final.path + ")";
  const sys::SystemFolders system = services.systemFolders();
  if (std::optional<std::string> reason = unhide::RefusalReason(final.path, system, services.driveType))
    return Refuse(io, shown, *reason);

  // A folder inside may be the system's own in truth (a drive mapped onto a
  // parent of the Windows drive, a second name): each is judged by where it leads.
  auto mayEnter = [&](const std::string& inner) {
    const sys::FinalPath leads = services.resolve(inner);
    std::optional<std::string> reason = unhide::RefusalReason(leads.path, system, services.driveType);
    if (leads.kind != sys::FinalPath::Kind::Folder) reason = "a folder whose place cannot be told";
    if (!reason) return true;
    Say(io, 0, "left alone: " + inner + (leads.path.empty() ? "" : " (" + leads.path + ")") + " is " + *reason);
    return false;
  };
  io.Write(sys::Stream::Out, "Unhiding " + shown + "\n");
  const unhide::UnhideCounts counts = unhide::UnhideBelow(final.path, services.files, mayEnter);
  io.Write(sys::Stream::Out, "brought back: " + std::to_string(counts.broughtBack) + "\ncould not change: " +
                                 std::to_string(counts.unchanged) + "\n");
  // The worm moved the user's files there; the unhide shows where they are
  // and leaves moving them back to the user.
  for (const unhide::BlankFolder& blank : counts.blankFolders) {
    io.Write(sys::Stream::Out, "blank-named folder: " + std::to_string(blank.files) + " files in \"" + blank.path +
                                   "\" (its name: " + BlanksOf(blank.path) + ")\n");
  }
  return kClean;
}

}  // namespace tarvex::console
