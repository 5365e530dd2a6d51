#pragma once
// The program's own window messages, all of them: who posts each, to which
// window, and why it waits for the queue instead of running at once. Each
// is posted by a window to itself and carries nothing.
#include <windows.h>

namespace tarvex::ui {

// Posted by a table window when it becomes the active window: its state's
// Form_Activate runs once the activation itself is over (the focus set, the
// system's activation messages handled), so that a message box it shows
// does not open in the middle of the activation.
inline constexpr UINT kRunActivate = WM_APP + 1;

// Posted by a table window's change mirror at the first change that waits:
// what an event changes many times over (a scan's status line, counters,
// bar and rows) is shown at the queue's next turn, once a frame, instead of
// at every change.
inline constexpr UINT kShowChanges = WM_APP + 2;

// Posted by the main window when a scan that nobody started with its Scan
// button may run (a folder of the command line or of a second start, a
// flash disk the guard saw): the scan runs from the queue, never inside the
// message that asked for it (a hand-over's WM_COPYDATA must return at once).
inline constexpr UINT kRunPending = WM_APP + 20;

}  // namespace tarvex::ui
