#pragma once
// The main window that also takes the scans nobody started with its Scan
// button: it hands the system's volume arrivals and a second start's request
// to its ScanRequests, and runs them from its own queue when it is idle.
#include <windows.h>

#include "app/antivirus_window_win32.h"
#include "app/scan_requests.h"

namespace tarvex {

class ScanRequestWindow : public AntivirusWindow {
 public:
  ScanRequestWindow(AntivirusServices services, std::function<bool(const std::string& root)> folderExists,
                    sys::DriveTypeService driveType);

  ScanRequests& Requests() { return requests_; }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool Idle();

  ScanRequests requests_;
};

}  // namespace tarvex
