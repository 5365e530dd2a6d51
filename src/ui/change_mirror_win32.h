#pragma once
// The mirror of a window's control state: every change of a control reaches
// its real control, at once or, for what an event changes many times over,
// once when the event ends or yields to the queue; of a list, only what
// changed since its control was last told is sent.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/control_kinds_win32.h"
#include "ui/shown_list.h"

namespace tarvex::ui {

// Posted to the window when a change waits: it is shown at the queue's next turn.
inline constexpr UINT kShowChanges = WM_APP + 2;

class ChangeMirror {
 public:
  explicit ChangeMirror(ControlHost& host) : host_(host) {}

  // A change of the state; `handling` an event of the window is running.
  void Changed(int id, Change change, bool handling);
  // The changes that waited; `ended`: the events that changed them have
  // ended, and a list view's count held back meanwhile is sent too.
  void ShowWaiting(bool ended);
  bool Waiting() const { return !waiting_.empty() || countsHeld_; }
  // The text box's own text goes into the state without being written back.
  void Pulling(bool pulling) { pulling_ = pulling; }

  ShownList& Shown(int id) { return shown_[id]; }
  // The rows a list view shows: it holds none itself, and asks for their
  // texts as it draws them (LVN_GETDISPINFO).
  std::vector<Row>& ShownRows(int id) { return shownRows_[id]; }
  // The window is gone: nothing is shown, nothing waits.
  void Clear();

 private:
  void Show(int id, Change change);
  // Every list view's count brought to its rows, or held as ShowListViewRows may.
  void CatchUpCounts(bool ended);

  ControlHost& host_;
  std::set<std::pair<int, Change>> waiting_;
  std::map<int, ShownList> shown_;
  std::map<int, std::vector<Row>> shownRows_;
  bool pulling_ = false;
  bool countsHeld_ = false;
};

// Lists change mostly at their end (rows appended during a scan, removed
// from the last during a clean-up): the control is sent `edit` only. A list
// view's count may be held back while it changes nothing the user sees (see
// CatchUpCount); the mirror sends it when an event ends.
void ShowListBoxItems(HWND list, const ListEdit& edit, const std::vector<std::string>& items);
void ShowListViewRows(HWND list, const ListEdit& edit, const std::vector<Row>& rows, std::vector<Row>& shown);
// Brings the list view's count to `wanted`, unless `mayHold` and rows are only
// added below its sight to a list scrolled to its top, without the focus,
// whose scroll box is held at its smallest: the count then changes nothing the user sees, and
// under emulation it costs a redraw of the scroll bar, 3 ms in every frame
// of a scan. True when the count is `wanted`.
bool CatchUpCount(HWND list, std::size_t wanted, bool mayHold);
// The text of a row's cell, as the list view asks for it while it draws.
void GiveRowText(const std::vector<Row>& shown, NMLVDISPINFOW& request);

}  // namespace tarvex::ui
