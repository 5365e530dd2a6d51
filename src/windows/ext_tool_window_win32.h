#pragma once
// frmExtTool's window: the table window with the link's own hand cursor.
#include <windows.h>

#include "base/scoped_win32.h"
#include "ui/table_window_win32.h"
#include "windows/frm_ext_tool.h"

namespace tarvex {

class ExtToolWindow : public ui::TableWindow {
 public:
  explicit ExtToolWindow(ExtToolServices services);
  HCURSOR LinkCursor() const { return cursor_.get(); }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  ui::ScopedCursor cursor_;
};

}  // namespace tarvex
