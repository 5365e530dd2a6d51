#pragma once
// The main window's services as a test sets them up: its own folder browser,
// message boxes, clock, event queue, file tree, processes and file checks.
// Nothing reaches the real system.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/antivirus.h"
#include "base/program_files.h"
#include "support/detection_samples.h"
#include "support/fake_file_system.h"
#include "support/fake_processes.h"
#include "support/fake_tree.h"
#include "support/fixed_clock.h"

namespace tarvex::testing {

// A read whose file the fake file system identifies.
class KnownIdentity final : public sys::ReadHandle {
 public:
  explicit KnownIdentity(std::optional<sys::FileIdentity> identity) : identity_(std::move(identity)) {}
  std::optional<sys::FileIdentity> Identity() override { return identity_; }

 private:
  std::optional<sys::FileIdentity> identity_;
};

struct ShownMessage {
  std::string title;
  std::string text;
  unsigned flags = 0;
};

class MainWindowFakes {
 public:
  // The folder browser's answer; no value is a cancel.
  std::optional<std::string> chosen = std::string("C:\\Data");
  int browsed = 0;
  // Every message box shown. Yes/No boxes are answered with `yesNoAnswer`.
  std::vector<ShownMessage> messages;
  int yesNoAnswer = sys::kIdNo;
  std::function<void(const ShownMessage&)> onMessage;
  // The event queue: called once per yield.
  std::function<void()> onYield;
  int yields = 0;
  int beeps = 0;
  int ended = 0;
  std::vector<AppWindow> shown;
  std::string programFolder = "C:\\Tarvex";
  std::set<std::string> visibleFiles = {"C:\\Tarvex\\Tarvex.db"};
  FixedClock clock{{2011, 10, 31, 9, 0, 0}};
  FakeTree tree;
  FakeProcesses processes;
  FakeFileSystem files;
  // Each file of the scanning pass is read once (its content in `files`, or
  // else its own path): `onCheck` sees its path, and
  // a path in `infected` is reported with that virus name (the database
  // lists its checksum).
  std::function<void(const std::string& path)> onCheck;
  std::map<std::string, std::string> infected;

  AntivirusServices Services() {
    return {
        .browseFolder =
            [this] {
              ++browsed;
              return chosen;
            },
        .messageBox =
            [this](const std::string& text, unsigned flags, const std::string& title) {
              messages.push_back({title, text, flags});
              if (onMessage) onMessage(messages.back());
              return (flags & 0xF) == sys::kMbYesNo ? yesNoAnswer : static_cast<int>(sys::kIdOk);
            },
        .yield =
            [this] {
              ++yields;
              if (onYield) onYield();
            },
        .beep = [this] { ++beeps; },
        .endProgram = [this] { ++ended; },
        .showWindow = [this](AppWindow w) { shown.push_back(w); },
        .programFolder = [this] { return programFolder; },
        .visibleFileExists = [this](const std::string& path) { return visibleFiles.count(path) > 0; },
        .clock = clock,
        .processes = processes,
        .scan = {.directories = tree,
                 .folderListable = [](const std::string&) { return true; },
                 .readHead = [](const std::string& path, std::size_t count) { return path.substr(0, count); },
                 .engine = {.readFile =
                                [this](const std::string& path, std::int64_t, sys::FileBuffer& into) {
                                  if (path == DatabasePath()) return Give(Database(), into);
                                  if (onCheck) onCheck(path);
                                  sys::FileRead read = Give(files.files.count(path) ? files.files[path].content : path, into);
                                  read.length = 100;
                                  // The scan's identity is the file system's own.
                                  into.Hold(std::make_unique<KnownIdentity>(files.Identify(path)));
                                  return read;
                                },
                            .fileStamp =
                                [this](const std::string& path) -> std::optional<sys::FileStamp> {
                                  if (path != DatabasePath()) return std::nullopt;
                                  const std::string text = Database();
                                  return sys::FileStamp{static_cast<std::int64_t>(text.size()),
                                                        static_cast<std::int64_t>(std::hash<std::string>()(text))};
                                }}},
        .files = files,
    };
  }

 private:
  std::string DatabasePath() const { return tarvex::DatabasePath(programFolder); }
  // Every file holds its own path, so a database of the infected paths'
  // checksums names exactly them.
  std::string Database() const {
    std::string text;
    for (const auto& [path, name] : infected) text += ChecksumOf(path) + ":" + name + "\r\n";
    return text + "Selesai:Selesai\r\n";
  }
  static sys::FileRead Give(const std::string& bytes, sys::FileBuffer& into) {
    std::copy(bytes.begin(), bytes.end(), into.Prepare(bytes.size()));
    return {static_cast<std::int64_t>(bytes.size()), true};
  }
};

}  // namespace tarvex::testing
