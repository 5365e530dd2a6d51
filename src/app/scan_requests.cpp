#include "app/scan_requests.h"

#include <algorithm>
#include <vector>

#include "ui/required_services.h"

namespace tarvex {

namespace {

constexpr char kGuardStatus[] = "Penjaga flash disk aktif.";

// The roots ("E:\") of the drives in `unitMask` (bit 0 = A:) that are
// removable: fixed, network and optical drives also arrive (a mapped share,
// a disc) and are the user's own business.
std::vector<std::string> RemovableRoots(std::uint32_t unitMask, const sys::DriveTypeService& driveType) {
  std::vector<std::string> roots;
  for (int letter = 0; letter < 26; ++letter) {
    if (!(unitMask & (std::uint32_t{1} << letter))) continue;
    std::string root = {static_cast<char>('A' + letter), ':', '\\'};
    if (driveType(root) == sys::DriveType::Removable) roots.push_back(std::move(root));
  }
  return roots;
}

}  // namespace

ScanRequests::ScanRequests(ScanRequestServices services) : services_(std::move(services)) {
  const ScanRequestServices& s = services_;
  ui::RequireServices("ScanRequestServices", {{bool(s.folderExists), "folderExists"},
                                              {bool(s.driveType), "driveType"},
                                              {bool(s.idle), "idle"},
                                              {bool(s.showStatus), "showStatus"},
                                              {bool(s.scan), "scan"},
                                              {bool(s.runLater), "runLater"}});
}

void ScanRequests::Accept(const StartRequest& request) {
  for (const std::string& root : request.roots) Add(root, Origin::Folder);
  if (request.guard && !guard_) {
    guard_ = true;
    if (ready_ && pending_.empty() && services_.idle()) services_.showStatus(kGuardStatus);
  }
  if (!pending_.empty()) services_.runLater();
}

void ScanRequests::VolumesArrived(std::uint32_t unitMask) {
  if (!guard_) return;
  const std::size_t before = pending_.size();
  for (const std::string& root : RemovableRoots(unitMask, services_.driveType)) Add(root, Origin::FlashDisk);
  if (pending_.size() != before) services_.runLater();
}

void ScanRequests::Activated() {
  ready_ = true;
  if (guard_) services_.showStatus(kGuardStatus);
  if (!pending_.empty()) services_.runLater();
}

void ScanRequests::BecameIdle() {
  if (!pending_.empty()) services_.runLater();
}

void ScanRequests::Add(const std::string& root, Origin origin) {
  // A drive announced twice before its turn is scanned once.
  const bool waiting = std::any_of(pending_.begin(), pending_.end(), [&](const Pending& p) { return p.root == root; });
  if (!waiting) pending_.push_back({root, origin});
}

void ScanRequests::RunPending() {
  // A scan yields to the event queue: a request arriving meanwhile only
  // joins the queue that the loop below works through.
  if (running_ || !ready_) return;
  running_ = true;
  try {
    while (!pending_.empty() && services_.idle()) {
      const Pending next = pending_.front();
      pending_.pop_front();
      RunOne(next);
    }
  } catch (...) {
    running_ = false;
    throw;
  }
  running_ = false;
}

void ScanRequests::RunOne(const Pending& next) {
  if (!services_.folderExists(next.root)) {
    // A flash disk pulled out before its turn was not meant to be found.
    if (next.origin == Origin::Folder) services_.showStatus("Lokasi tidak ditemukan: " + next.root);
    return;
  }
  if (next.origin == Origin::FlashDisk) services_.showStatus("Flash disk " + next.root + " terpasang, memeriksa...");
  services_.scan(next.root);
}

}  // namespace tarvex
