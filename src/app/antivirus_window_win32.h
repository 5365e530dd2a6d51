#pragma once
// The main window "Antivirus": the table window over an Antivirus state,
// with the banner and badge pictures drawn in.
#include <windows.h>

#include "app/antivirus.h"
#include "ui/table_window_win32.h"

namespace tarvex {

class AntivirusWindow : public ui::TableWindow {
 public:
  explicit AntivirusWindow(AntivirusServices services);

  Antivirus& State() { return static_cast<Antivirus&>(ui::TableWindow::State()); }

 protected:
  void PaintPicture(int id, HDC dc, const RECT& r) override;
};

}  // namespace tarvex
