#pragma once
// The program's titles, one definition each. The resource scripts read the
// macros (they include this file); the code reads the constants.
#define TARVEX_TITLE "Tarvex Antivirus"
#define TARVEX_TITLE_2011 TARVEX_TITLE " 2011"
#define TARVEX_TOOL_TITLE "Tarvex External Tool"

#ifndef RC_INVOKED
namespace tarvex {

// Shown as the title of every message box that sets none of its own.
inline constexpr const char* kApplicationTitle = "Tarvex Project";
// The main window's title, its banner and the first line of the credits.
inline constexpr const char* kProgramTitle = TARVEX_TITLE;
// The status line once the start-up steps have passed.
inline constexpr const char* kProgramTitle2011 = TARVEX_TITLE_2011;
// The external tool window's title.
inline constexpr const char* kExternalToolTitle = TARVEX_TOOL_TITLE;

}  // namespace tarvex
#endif
