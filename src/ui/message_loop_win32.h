#pragma once
// The program's event queue: the main loop and the yields of a long command
// both hand keyboard navigation (Tab, Enter, Esc, arrows) to whichever of the
// program's windows is active, so a second window keeps its keys while the
// main window's scan runs.
#include <windows.h>

namespace tarvex::ui {

// True when `msg` was a navigation key of the active window and was handled.
bool RouteNavigation(MSG& msg);

// Handles every window and timer event that is waiting, then returns. A quit
// request is left in the queue for the main loop.
void PumpPendingMessages();

// PumpPendingMessages, but at most once per display frame (see FramePacer).
void PumpPendingMessagesPaced();

// Runs until the quit request; returns its exit code.
int RunMessageLoop();

}  // namespace tarvex::ui
