#pragma once
// What shows a list in its control: lists change mostly at their end (rows
// appended during a scan, removed from the last during a clean-up), so the
// control is sent only the edit that brings it in step (see ShownList). A
// list view holds no rows of its own (owner data): it asks the window's
// state for a cell's text as it draws it.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/control_state.h"
#include "ui/shown_list.h"

namespace tarvex::ui {

void ShowListBoxItems(HWND list, const ListEdit& edit, const std::vector<std::string>& items);
// The list view's count goes to `edit.wanted` (or is held, see CatchUpCount)
// and the changed rows in sight are drawn anew. True when the count is
// `edit.wanted`.
bool ShowListViewRows(HWND list, const ListEdit& edit, bool mayHoldCount);
// Brings the list view's count to `wanted`, unless `mayHold` and rows are only
// added below its sight to a list scrolled to its top, without the focus,
// whose scroll box is held at its smallest: the count then changes nothing the user sees, and
// under emulation it costs a redraw of the scroll bar, 3 ms in every frame
// of a scan. True when the count is `wanted`.
bool CatchUpCount(HWND list, std::size_t wanted, bool mayHold);
// The text of a row's cell, as the list view asks for it while it draws.
void GiveRowText(const RowSource* rows, NMLVDISPINFOW& request);

}  // namespace tarvex::ui
