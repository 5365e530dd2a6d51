#pragma once
// The download window: the table window over a frmCheckUpdate state, with
// the program's icon drawn into Image1 and the status bar held along the
// bottom edge of the sizable frame.
#include <windows.h>

#include "ui/table_window_win32.h"
#include "windows/frm_check_update.h"

namespace tarvex {

class CheckUpdateWindow : public ui::TableWindow {
 public:
  explicit CheckUpdateWindow(CheckUpdateServices services);

  frmCheckUpdate& State() { return static_cast<frmCheckUpdate&>(ui::TableWindow::State()); }

 protected:
  void PaintPicture(int id, HDC dc, const RECT& r) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace tarvex
