#pragma once
// The main window "Antivirus": the table window over an Antivirus state,
// with the banner and badge pictures drawn in. It also takes the scans nobody
// started with its Scan button: it hands the system's volume arrivals and a
// second start's request to its ScanRequests, and runs them from its own
// queue when it is idle.
#include <windows.h>

#include "app/antivirus.h"
#include "app/scan_requests.h"
#include "ui/table_window_win32.h"

namespace tarvex {

class AntivirusWindow : public ui::TableWindow {
 public:
  AntivirusWindow(AntivirusServices services, std::function<bool(const std::string& root)> folderExists,
                  sys::DriveTypeService driveType);

  Antivirus& State() { return static_cast<Antivirus&>(ui::TableWindow::State()); }
  ScanRequests& Requests() { return requests_; }

 protected:
  void PaintPicture(int id, HDC dc, const RECT& r) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool Idle();

  ScanRequests requests_;
};

}  // namespace tarvex
