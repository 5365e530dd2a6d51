#pragma once
#include <string>

namespace tarvex::sys {

// The folder of the program's executable, without a trailing backslash except
// at a drive root ("C:\"). The database, the Logs folder and the batch file
// are found by joining the separator ("\" on Windows) and their name onto it.
std::string ProgramFolder();

// Points ProgramFolder() elsewhere for the rest of the run; an empty text
// restores the executable's folder. Tests use it to give the program a
// database of their own.
void OverrideProgramFolder(const std::string& folder);

}  // namespace tarvex::sys
