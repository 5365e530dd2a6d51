#include "app/antivirus_window_win32.h"

#include <memory>

#include "app/decoration_win32.h"
#include "app/instance_handover_win32.h"
#include "system/device_arrival_win32.h"
#include "ui/window_messages.h"

namespace tarvex {

using ui::kRunPending;

AntivirusWindow::AntivirusWindow(AntivirusServices services, std::function<bool(const std::string& root)> folderExists,
                                 sys::DriveTypeService driveType)
    : ui::TableWindow(std::make_unique<Antivirus>(std::move(services))),
      requests_({
          .folderExists = std::move(folderExists),
          .driveType = std::move(driveType),
          .idle = [this] { return Idle(); },
          .showStatus = [this](const std::string& text) { State().ShowStatus(text); },
          .scan = [this](const std::string& root) { State().ScanFolder(root); },
          .runLater = [this] { if (Handle()) PostMessageW(Handle(), kRunPending, 0, 0); },
      }) {
  State().onActivated = [this] { requests_.Activated(); };
  State().onScanEnded = [this] { requests_.BecameIdle(); };
}

void AntivirusWindow::PaintPicture(int id, HDC dc, const RECT& r) {
  if (id == Antivirus::Image1) {
    DrawBanner(dc, r);
  } else if (id == Antivirus::Image2) {
    DrawBadge(dc, r);
  } else {
    ui::TableWindow::PaintPicture(id, dc, r);
  }
}

bool AntivirusWindow::Idle() {
  // A disabled main window has another of the program's windows or a message box in front.
  return !State().Busy() && Handle() && IsWindowEnabled(Handle());
}

LRESULT AntivirusWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  // Each runs as the Scan button's click does: what a scan changes is shown at its pace.
  switch (msg) {
    case kRunPending:
      Handled([this] { requests_.RunPending(); });
      return 0;
    case WM_DEVICECHANGE:
      if (std::optional<std::uint32_t> volumes = sys::ArrivedVolumes(wp, lp))
        Handled([&] { requests_.VolumesArrived(*volumes); });
      return TRUE;
    case WM_COPYDATA:
      if (std::optional<StartRequest> request = HandedOverRequest(lp)) {
        Handled([&] { requests_.Accept(*request); });
        result = TRUE;
      }
      return result;
    case WM_ENABLE:
      if (wp) requests_.BecameIdle();
      break;
    default:
      break;
  }
  return ui::TableWindow::OnMessage(msg, wp, lp);
}

}  // namespace tarvex
