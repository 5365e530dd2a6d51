#pragma once
// What a two-pass scan tells as it goes. The main window shows it in its
// labels, list and status line; the console prints it. Every member has a
// do-nothing default, so a listener takes only what it shows.
#include <cstdint>
#include <string>

#include "scan/detection.h"

namespace tarvex {

// The two passes of every scan, named as the program has always named them.
enum class Kerja {
  Hitung,  // counts the files
  Pindai,  // examines them
};

struct ScanCounts {
  std::uint64_t counted = 0;     // files found by the counting pass
  std::uint64_t examined = 0;    // files the scanning pass went through, skipped ones included
  std::uint64_t detections = 0;
  std::uint64_t folders = 0;     // folders walked by the scanning pass
  // A stop was asked for while the scan ran. Not told by the counts: files
  // deleted between the passes leave fewer examined than counted.
  bool stopped = false;
};

enum class ScanProblem {
  FolderUnreadable,  // listed nothing and cannot be listed
  FileUnreadable,    // had a check due and could not be read
  CheckFailed,       // the checks of a file broke off
};

class ScanSink : public DetectionSink {
 public:
  void Detected(const Detection&) override {}
  virtual void PassStarted(Kerja) {}
  // After the pass's last file and its last DoEvents.
  virtual void PassEnded(Kerja, const ScanCounts&) {}
  // The counting pass, after every file and folder.
  virtual void Counting(std::uint64_t /*counted*/) {}
  // A file of the scanning pass, before and after its checks; `folder` ends
  // in its separator.
  virtual void Examining(const std::string& /*folder*/, const std::string& /*name*/, const ScanCounts&) {}
  virtual void Examined(const ScanCounts&) {}
  virtual void Problem(ScanProblem, const std::string& /*path*/) {}
  // After every file and every folder of both passes: a turn for the event
  // queue, where a stop request may come in.
  virtual void DoEvents() {}
};

}  // namespace tarvex
