#include "console/scan_command.h"

#include <chrono>

#include "console/console_text.h"
#include "console/json_lines.h"
#include "console/quarantine_command.h"
#include "console/scan_options.h"
#include "console/unhide_command.h"
#include "remedy/quarantine_manifest.h"
#include "signatures/database_check.h"
#include "system/files.h"

namespace tarvex::console {

namespace {

constexpr const char* kProgram = "tarvex-scan: ";
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

const char* ProblemText(ScanProblem problem) {
  switch (problem) {
    case ScanProblem::FolderUnreadable: return "cannot read folder ";
    case ScanProblem::FileUnreadable: return "cannot read ";
    case ScanProblem::CheckFailed: break;
  }
  return "cannot check ";
}

// Prints what the scan tells: detections on standard output, problems and
// (on a terminal only) one progress line on standard error. With --move or
// --remove a detection's line waits for what became of its file.
class Printer : public ScanSink {
 public:
  Printer(ConsoleIo& io, const ScanOptions& options, bool linesWait)
      : io_(io),
        quiet_(options.quiet),
        json_(options.json),
        linesWait_(linesWait),
        progress_(!options.quiet && io.IsTerminal(sys::Stream::Err)),
        width_(progress_ ? io.TerminalWidth(sys::Stream::Err) : 80) {}

  void Counting(std::uint64_t counted) override {
    if (Due(false)) ShowProgress(CountingText(counted));
  }
  void Examining(const std::string& folder, const std::string& name, const ScanCounts& counts) override {
    // One column short of the width: a full line would wrap on some terminals.
    if (Due(true))
      ShowProgress(ProgressText(counts.examined, counts.counted, folder, name, width_ > 1 ? width_ - 1 : 1));
  }
  void Detected(const Detection& detection) override {
    if (quiet_ || linesWait_) return;
    ClearProgress();
    io_.Write(sys::Stream::Out, Shown(detection, nullptr));
  }
  // A detection's line with what became of its file.
  void Cleaned(const Detection& detection, const CleanupOutcome& outcome, CleanupMode mode) {
    if (!quiet_) io_.Write(sys::Stream::Out, Shown(detection, &outcome));
    if (outcome.done) return;
    const char* what = mode == CleanupMode::Move ? "could not move " : "could not remove ";
    io_.Write(sys::Stream::Err, kProgram + std::string(what) + EscapeField(detection.path) +
                                    (outcome.reason.empty() ? "" : ": " + EscapeField(outcome.reason)) + "\n");
  }
  void Problem(ScanProblem problem, const std::string& path) override {
    if (quiet_) return;
    ClearProgress();
    io_.Write(sys::Stream::Err, std::string(kProgram) + ProblemText(problem) + EscapeField(path) + "\n");
  }
  void ClearProgress() {
    if (shownWidth_ == 0) return;
    std::string blank(shownWidth_ + 2, ' ');  // a line of blanks between two returns
    blank.front() = blank.back() = '\r';
    io_.Write(sys::Stream::Err, blank);
    shownWidth_ = 0;
  }

 private:
  std::string Shown(const Detection& detection, const CleanupOutcome* outcome) const {
    Detection shown = detection;
    shown.virusName = sys::AnsiToUtf8(detection.virusName);
    if (json_) return DetectionJson(shown, outcome);
    return outcome ? DetectionLine(shown, outcome->said) : DetectionLine(shown);
  }
  // A tenth of a second after the last line, or at once when the scanning
  // pass takes over from the counting pass.
  bool Due(bool scanning) {
    if (!progress_) return false;
    auto now = std::chrono::steady_clock::now();
    if (now - last_ < kProgressInterval && scanning == scanning_) return false;
    last_ = now;
    scanning_ = scanning;
    return true;
  }
  void ShowProgress(const std::string& text) {
    std::size_t chars = 0;
    for (char c : text) chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    std::string line = "\r" + text;
    if (chars < shownWidth_) line += std::string(shownWidth_ - chars, ' ');
    io_.Write(sys::Stream::Err, line);
    shownWidth_ = std::max(shownWidth_, chars);
  }

  ConsoleIo& io_;
  bool quiet_;
  bool json_;
  bool linesWait_;
  bool progress_;
  std::size_t width_;
  std::size_t shownWidth_ = 0;
  std::chrono::steady_clock::time_point last_{};
  bool scanning_ = false;
};

// What the scan finds, kept for --move and --remove, which act once it is
// over: so that no file is scanned twice (DIR inside the scanned tree) and no
// listing changes under the walk. The printer hears everything.
class Findings final : public ScanSink {
 public:
  explicit Findings(Printer& printer) : printer_(printer) {}
  void Detected(const Detection& detection) override {
    found_.push_back(detection);
    printer_.Detected(detection);
  }
  void PassStarted(Kerja kerja) override { printer_.PassStarted(kerja); }
  void PassEnded(Kerja kerja, const ScanCounts& counts) override { printer_.PassEnded(kerja, counts); }
  void Counting(std::uint64_t counted) override { printer_.Counting(counted); }
  void Examining(const std::string& folder, const std::string& name, const ScanCounts& counts) override {
    printer_.Examining(folder, name, counts);
  }
  void Examined(const ScanCounts& counts) override { printer_.Examined(counts); }
  void Problem(ScanProblem problem, const std::string& path) override { printer_.Problem(problem, path); }
  void DoEvents() override { printer_.DoEvents(); }
  const std::vector<Detection>& Found() const { return found_; }

 private:
  Printer& printer_;
  std::vector<Detection> found_;
};

// The roots for the paths as given: no value and `error` set when one of
// them does not exist. A file named through a link is scanned where the link
// leads, under that path: the scan itself follows no link.
std::optional<std::vector<ScanRoot>> ResolveRoots(const std::vector<std::string>& paths, std::string& error,
                                                  const ConsoleServices& services,
                                                  const std::function<std::string(const std::string&)>& finalPath) {
  std::vector<ScanRoot> roots;
  for (const std::string& path : paths) {
    std::optional<std::uint32_t> attributes = services.attributes(path);
    if (!attributes) {
      error = "cannot find " + EscapeField(path);
      return std::nullopt;
    }
    const bool file = (*attributes & sys::kAttrDirectory) == 0;
    roots.push_back({file && (*attributes & sys::kAttrReparsePoint) ? finalPath(path) : path, file});
  }
  return roots;
}

int Fail(ConsoleIo& io, const std::string& text) {
  io.Write(sys::Stream::Err, kProgram + text + "\n");
  return kError;
}

std::string FaultText(const DatabaseProblem& problem) {
  const std::string line = "line " + std::to_string(problem.line);
  switch (problem.fault) {
    case DatabaseFault::None: break;
    case DatabaseFault::TooLarge:
      return "it is larger than " + std::to_string(kMaxDatabaseBytes / (1024 * 1024)) + " MiB";
    case DatabaseFault::NulByte: return line + " holds a NUL byte: it is no text";
    case DatabaseFault::NoSentinel:
      return std::string("it does not end with the line ") + kDatabaseSentinel + " (an interrupted download?)";
    case DatabaseFault::BadEntry: return line + " is no signature (CHECKSUM:name) and may never be found";
    case DatabaseFault::ZeroKey:
      return line + " has the key 0, the checksum of every empty or unreadable file: no such file is reported";
    case DatabaseFault::NoEntries: return std::string("it holds no signature before ") + kDatabaseSentinel;
    case DatabaseFault::AfterSentinel:
      return line + " follows the line " + kDatabaseSentinel + " and is never read";
  }
  return std::string();
}

// The database judged as the update judges a download: damage ends the
// command, anything else is a warning and the scan goes on.
bool AcceptDatabase(const DatabaseHealth& health, const std::string& database, ConsoleIo& io, bool quiet) {
  DatabaseProblem problem = health.fault;
  if (health.bytes > kMaxDatabaseBytes) problem = {DatabaseFault::TooLarge, 0};
  const std::string where = "the database " + database;
  if (IsDamage(problem.fault)) {
    Fail(io, where + " is damaged: " + FaultText(problem));
    return false;
  }
  if (quiet) return true;
  const std::string warning = kProgram + std::string("warning: ");
  if (health.entriesWithoutColon > 0) {
    io.Write(sys::Stream::Err, warning + std::to_string(health.entriesWithoutColon) + " line(s) of " + where +
                                   " have no colon and are skipped, such as '" +
                                   sys::AnsiToUtf8(health.firstEntryWithoutColon) + "'\n");
  }
  // A line without a colon is the first fault only when the warning above named it already.
  const bool told = problem.fault == DatabaseFault::BadEntry && health.entriesWithoutColon > 0;
  if (problem.fault != DatabaseFault::None && !told)
    io.Write(sys::Stream::Err, warning + where + ": " + FaultText(problem) + "\n");
  return true;
}

// Every detection cleaned, then printed with what became of its file;
// kError when a file could not be moved or removed.
int CleanDetections(const std::vector<Detection>& found, DetectionCleanup& cleanup, Printer& printer) {
  if (cleanup.Mode() == CleanupMode::Report) return kClean;  // the lines were printed as the scan went
  const std::vector<CleanupOutcome> outcomes = cleanup.Clean(found);
  int status = kClean;
  for (std::size_t i = 0; i < found.size(); ++i) {
    printer.Cleaned(found[i], outcomes[i], cleanup.Mode());
    if (!outcomes[i].done) status = kError;
  }
  return status;
}

// The database --db names, else the first of the console's places where
// something is (what cannot be read is then told as such); empty when none.
std::string ChosenDatabase(const ScanOptions& options, ConsoleIo& io, const ConsoleServices& services) {
  if (!options.database.empty()) return options.database;
  for (const std::string& place : io.DatabasePlaces()) {
    if (services.attributes(place)) return place;
  }
  return "";
}

std::string Listed(const std::vector<std::string>& places) {
  std::string text;
  for (const std::string& place : places) text += (text.empty() ? "" : ", ") + EscapeField(place);
  return text;
}

// The quarantine whose restored heuristic finds the scan trusts: the one
// named, or the one --move fills, or the system's own.
std::string TrustedQuarantine(const ScanOptions& options) {
  if (!options.quarantine.empty()) return options.quarantine;
  return options.moveTo.empty() ? DefaultQuarantineFolder() : options.moveTo;
}

}  // namespace

ConsoleServices SystemConsoleServices() {
  return {.scan = SystemScanServices(), .attributes = sys::FileAttributes};
}

int RunScanCommand(const std::vector<std::string>& args, ConsoleIo& io, const ConsoleServices& services,
                   const CleanupServices& cleanupServices) {
  const ParsedCommandLine parsed = ParseCommandLine(args);
  switch (parsed.action) {
    case ParsedCommandLine::Action::Help:
      io.Write(sys::Stream::Out, HelpText(ChosenDatabase(parsed.options, io, services)));
      return kClean;
    case ParsedCommandLine::Action::Version: io.Write(sys::Stream::Out, VersionText()); return kClean;
    case ParsedCommandLine::Action::UsageError:
      return Fail(io, parsed.error + "\nTry 'tarvex-scan --help' for more information.");
    case ParsedCommandLine::Action::Unhide: return RunUnhide(parsed.options.unhide, io, SystemUnhideServices());
    case ParsedCommandLine::Action::ListQuarantine: return RunListQuarantine(parsed.options, io, cleanupServices);
    case ParsedCommandLine::Action::Restore: return RunRestore(parsed.options, parsed.entries, io, cleanupServices);
    case ParsedCommandLine::Action::Scan: break;
  }
  const ScanOptions& options = parsed.options;

  std::string error;
  std::optional<std::vector<ScanRoot>> roots = ResolveRoots(options.paths, error, services, cleanupServices.finalPath);
  if (!roots) return Fail(io, error);

  const CleanupMode mode = options.remove ? CleanupMode::Remove
                          : options.moveTo.empty() ? CleanupMode::Report
                                                   : CleanupMode::Move;
  DetectionCleanup cleanup(mode, options.moveTo, cleanupServices);
  if (!cleanup.Prepare(options.paths, error)) return Fail(io, error);

  const std::string database = ChosenDatabase(options, io, services);
  if (database.empty())
    return Fail(io, "cannot find the database: looked for " + Listed(io.DatabasePlaces()) + "; name one with --db FILE");
  Printer printer(io, options, mode != CleanupMode::Report);
  Findings findings(printer);
  TwoPassScan scan(findings, services.scan);
  const std::string trustedFolder = TrustedQuarantine(options);
  Quarantine trusted(sys::WithSeparator(trustedFolder), cleanupServices.files, cleanupServices.clock);
  if (!trustedFolder.empty()) {
    // Read once for the whole scan.
    trusted.ReadTrust();
    if (!trusted.Problem().empty() && !options.quiet)
      io.Write(sys::Stream::Err, kProgram + std::string("warning: ") + EscapeField(trusted.Problem()) +
                                     ": no restored file is trusted\n");
    scan.TrustHeuristicFinds([&trusted](const Detection& found, std::optional<std::string_view> content) {
      return trusted.TrustsFound(found, content);
    });
  }
  if (scan.PrepareDatabase(database, options.mark) == CrcDatabase::State::Unreadable)
    return Fail(io, "cannot read the database " + database);
  if (!AcceptDatabase(scan.Health(), database, io, options.quiet)) return kError;

  scan.UseHeuristics(options.heuristics);
  const auto start = std::chrono::steady_clock::now();
  const ScanCounts counts = scan.Run(*roots);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printer.ClearProgress();
  const int cleaned = CleanDetections(findings.Found(), cleanup, printer);
  if (options.summary && !options.quiet) {
    io.Write(sys::Stream::Out, options.json ? SummaryJson(counts, scan.BytesRead(), seconds)
                                            : SummaryText(counts, scan.BytesRead(), seconds));
  }
  if (cleaned == kError) return kError;
  return counts.detections > 0 ? kFound : kClean;
}

}  // namespace tarvex::console
