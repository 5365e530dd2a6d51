#pragma once
// The program's titles, one definition each. The resource scripts read the
// macros (they include this file); the code reads the constants.
#define TARVEX_TITLE "Tarvex Antivirus"
#define TARVEX_TITLE_2011 TARVEX_TITLE " 2011"
#define TARVEX_TOOL_TITLE "Tarvex External Tool"
#define TARVEX_APPLICATION_TITLE "Tarvex Project"
#define TARVEX_PRODUCT_NAME "Vado Tarvex Antivirus"

#ifndef RC_INVOKED
namespace tarvex {

// Shown as the title of every message box that sets none of its own, and
// on the main window's badge.
inline constexpr const char* kApplicationTitle = TARVEX_APPLICATION_TITLE;
// The product's name in the programs' version blocks and in what a window
// says the program cannot do.
inline constexpr const char* kProductName = TARVEX_PRODUCT_NAME;
// The main window's title, its banner and the first line of the credits.
inline constexpr const char* kProgramTitle = TARVEX_TITLE;
// The status line once the start-up steps have passed.
inline constexpr const char* kProgramTitle2011 = TARVEX_TITLE_2011;
// The external tool window's title.
inline constexpr const char* kExternalToolTitle = TARVEX_TOOL_TITLE;
// The update reminder's title.
inline constexpr const char* kUpdateReminderTitle = "Pengingat Update";

}  // namespace tarvex
#endif
