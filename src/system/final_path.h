#pragma once
// What a path the user typed really names, before anything is changed there:
// every link, junction and substituted drive followed, the long-path and
// device prefixes ("\\?\", "\\.\") taken off, short 8.3 names made long and
// "." and ".." folded. On Windows the result is "C:\Folder" or
// "\\host\share\Folder"; natively it is the real path.
#include <string>

namespace tarvex::sys {

struct FinalPath {
  enum class Kind { Folder, File, Missing, Unresolved } kind = Kind::Missing;
  std::string path;  // the final form, for Folder and File
};

FinalPath ResolveFinalPath(const std::string& given);

}  // namespace tarvex::sys
