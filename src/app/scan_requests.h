#pragma once
// The scans nobody started with the Scan button: folders from the command
// line or from a second start, and flash disks the guard saw arrive. They
// wait until the main window is idle and run one after another, each exactly
// as a scan of a folder picked in the folder browser.
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

#include "app/start_request.h"
#include "system/drives.h"

namespace tarvex {

struct ScanRequestServices {
  std::function<bool(const std::string& root)> folderExists;
  sys::DriveTypeService driveType;
  // No scan runs and nothing blocks the main window (another of the
  // program's windows, a message box).
  std::function<bool()> idle;
  std::function<void(const std::string& text)> showStatus;
  // The main window's scan of `root`, returning when it has ended.
  std::function<void(const std::string& root)> scan;
  // Calls RunPending once the event that asked for it is over, so that no
  // scan runs inside an activation or a system notification.
  std::function<void()> runLater;
};

class ScanRequests {
 public:
  explicit ScanRequests(ScanRequestServices services);

  // Folders and the guard, from the command line or from a second start.
  void Accept(const StartRequest& request);
  // The system announced the volumes of `unitMask` (bit 0 = A:).
  void VolumesArrived(std::uint32_t unitMask);
  // The start-up steps of an activation passed: the window is ready to scan.
  void Activated();
  // A scan of the main window ended (one of these, or the user's own), or
  // the window takes input again after another window or a message box.
  void BecameIdle();
  // Runs the waiting scans one after another while the window is idle.
  void RunPending();

  std::size_t Waiting() const { return pending_.size(); }

 private:
  enum class Origin { Folder, FlashDisk };
  struct Pending {
    std::string root;
    Origin origin;
  };
  void Add(const std::string& root, Origin origin);
  void RunOne(const Pending& next);

  ScanRequestServices services_;
  std::deque<Pending> pending_;
  bool guard_ = false;
  bool ready_ = false;    // the first activation's start-up steps have passed
  bool running_ = false;  // RunPending is in its loop (a scan yields to the queue)
};

}  // namespace tarvex
