// The engine against the checks as the program has always made them
// (FileDetection, LookupCrc reading the database afresh for every file): the
// same detections, in the same order, over generated trees.
#include "scan/scan_engine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>

#include "signatures/signature_database.h"
#include "signatures/temp_files.h"
#include "support/damaged_database.h"
#include "support/detection_samples.h"
#include "system/files.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using testing::ChecksumOf;
using testing::FoundList;
using testing::VirusPatternBytes;

const std::string kSep(1, sys::kPathSeparator);

struct ListedFile {
  std::string folder;  // ends in the separator
  std::string name;
};

// One generated tree on disk, with its database, and the two scans over it.
class Differential {
 public:
  explicit Differential(std::uint32_t seed) : rng_(seed) {}

  std::string RandomBytes(std::size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(rng_());
    return s;
  }

  // Random content with, now and then, virus patterns planted anywhere in it.
  std::string Content() {
    const std::size_t sizes[] = {0, 1, 9, 10, 99, 100, 101, 500, 2000, 17919, 17920, 17921};
    std::size_t n = rng_() % 3 == 0 ? sizes[rng_() % std::size(sizes)] : rng_() % 4000;
    std::string bytes = RandomBytes(n);
    for (int planted = rng_() % 3; planted > 0 && rng_() % 2 == 0; --planted) {
      std::string p = VirusPatternBytes(1 + static_cast<int>(rng_() % 6));
      if (p.size() > bytes.size()) continue;
      std::size_t at = rng_() % 3 == 0 ? bytes.size() - p.size() : rng_() % (bytes.size() - p.size() + 1);
      bytes.replace(at, p.size(), p);
    }
    return bytes;
  }

  std::string Write(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << path;
    if (!f) return bytes;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return bytes;
  }

  void MakeTree() {
    const char* const names[] = {"setup", "a", "Readme", "lib", "x.exe", "photo", "run"};
    const char* const tails[] = {".exe", ".EXE", ".scr", ".Scr", ".dll", ".txt", "", ".exe.bak", ".html", ".bin"};
    std::vector<std::string> folders = {tmp_.Folder() + kSep};
    for (int i = 0, n = 1 + rng_() % 5; i < n; ++i) {
      std::string parent = folders[rng_() % folders.size()];
      std::string folder = parent + "d" + std::to_string(i) + kSep;
      fs::create_directories(folder);
      folders.push_back(folder);
    }
    for (int i = 0, n = 5 + rng_() % 30; i < n; ++i) {
      ListedFile f{folders[rng_() % folders.size()],
                   std::string(names[rng_() % std::size(names)]) + std::to_string(i) + tails[rng_() % std::size(tails)]};
      std::string bytes = rng_() % 8 == 0 && !contents_.empty() ? contents_[rng_() % contents_.size()] : Content();
      contents_.push_back(Write(f.folder + f.name, bytes));
      files_.push_back(f);
    }
  }

  void WriteDatabase() {
    std::vector<std::string> keys;
    for (const std::string& c : contents_) keys.push_back(ChecksumOf(c));
    std::string text = testing::RandomDatabaseText(rng_, keys);
    // The same length as before now and then: only the time tells the change.
    if (fs::exists(db_) && rng_() % 2 == 0) text.resize(static_cast<std::size_t>(fs::file_size(db_)), 'x');
    Write(db_, text);
    fs::last_write_time(db_, fs::file_time_type::clock::now() + std::chrono::seconds(++dbVersion_));
    mark_ = rng_() % 3 == 0 ? keys[rng_() % keys.size()] : "";
  }

  // What happens to a tree between the counting and the scanning pass.
  void ChangeSomeFiles() {
    for (const ListedFile& f : files_) {
      const std::string path = f.folder + f.name;
      switch (rng_() % 10) {
        case 0: fs::remove(path); break;
        case 1: Write(path, Content()); break;
        case 2: locked_.insert(path); break;  // cannot be opened or read
        default: break;
      }
    }
  }

  // Both checks over the listed files; false when they disagree.
  void ScanBoth(ScanEngine& engine) {
    FoundList reference;
    DetectionServices old;
    old.fileLength = sys::FileLength;
    old.lookupCrc = [this](const std::string& text) { return WithUserMark(LookupCrcInFile(db_, text), text, mark_); };
    old.readFile = [this](const std::string& path) -> std::optional<std::vector<unsigned char>> {
      if (locked_.count(path)) return std::nullopt;
      return sys::ReadWholeFile(path);
    };
    FileDetection detection(reference, old);

    std::vector<Detection> fast;
    engine.PrepareScan(db_, mark_);
    for (const ListedFile& f : files_) {
      detection.CheckSelection(f.folder, f.name);
      if (CheckedFile checked = engine.CheckSelection(f.folder, f.name); checked.found) fast.push_back(*checked.found);
    }
    EXPECT_EQ(fast, reference.found);
  }

  void Run() {
    MakeTree();
    WriteDatabase();
    EngineServices services = SystemEngineServices();
    services.readFile = [this](const std::string& path, std::int64_t readBelow, sys::FileBuffer& into) {
      // Locked: the length can be had, the bytes cannot.
      if (locked_.count(path)) return sys::FileRead{sys::FileLength(path), false};
      return sys::ReadFileIfShorter(path, readBelow, into);
    };
    ScanEngine engine(services);
    ScanBoth(engine);
    ChangeSomeFiles();
    WriteDatabase();  // a new database between two scans of one run
    ScanBoth(engine);
  }

  std::vector<ListedFile> files_;

 private:
  std::mt19937 rng_;
  testing::TempFolder tmp_;
  std::string db_ = tmp_.Path("Tarvex.db");
  int dbVersion_ = 0;
  std::vector<std::string> contents_;
  std::set<std::string> locked_;
  std::string mark_;
};

TEST(ScanEngineDifferential, SameRowsAsTheProgramsOwnChecksOverGeneratedTrees) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Differential(seed).Run();
    if (HasFailure()) break;
  }
}

TEST(ScanEngineDifferential, SameRowsAtTheSizeLimits) {
  // Patterns in the very last bytes of files at and around both limits,
  // and each file's checksum in the database.
  testing::TempFolder tmp;
  const std::string folder = tmp.Folder() + kSep;
  const std::string pattern = VirusPatternBytes(2);
  std::string db;
  std::vector<std::string> names;
  for (std::size_t length : {767999, 768000, 4095999, 4096000}) {
    for (const char* tail : {".exe", ".dll"}) {
      std::string bytes(length - pattern.size(), 'x');
      bytes += pattern;
      names.push_back(std::to_string(length) + tail);
      tmp.Write(names.back(), bytes);
      db += ChecksumOf(bytes) + ":w32.ByChecksum" + names.back() + "\r\n";
    }
  }
  const std::string dbPath = tmp.Write("Tarvex.db", db + "Selesai:Selesai\r\n");

  FoundList reference;
  std::vector<Detection> fast;
  DetectionServices old{.fileLength = sys::FileLength,
                        .readFile = sys::ReadWholeFile,
                        .lookupCrc = [&](const std::string& text) { return LookupCrcInFile(dbPath, text); }};
  FileDetection detection(reference, old);
  ScanEngine engine(SystemEngineServices());
  engine.PrepareScan(dbPath, "");
  for (const std::string& name : names) {
    detection.CheckSelection(folder, name);
    if (CheckedFile checked = engine.CheckSelection(folder, name); checked.found) fast.push_back(*checked.found);
  }
  EXPECT_EQ(fast, reference.found);
  EXPECT_THAT(fast, ::testing::SizeIs(4));  // 767999 .exe/.dll, 768000 .exe, 4095999 .exe
}

TEST(ScanEngine, ReadsEachCheckedFileOnceCountsTheBytesAndGivesWhatItRead) {
  testing::TempFolder tmp;
  const std::string folder = tmp.Folder() + kSep;
  tmp.Write("clean.exe", std::string(5000, 'a'));
  tmp.Write("clean.txt", std::string(300, 'b'));
  tmp.Write("big.txt", std::string(800000, 'c'));  // no check: not read at all
  std::map<std::string, int> reads;
  EngineServices services = SystemEngineServices();
  services.readFile = [&](const std::string& path, std::int64_t readBelow, sys::FileBuffer& into) {
    sys::FileRead r = sys::ReadFileIfShorter(path, readBelow, into);
    if (r.read) ++reads[path];
    return r;
  };
  ScanEngine engine(services);
  EXPECT_EQ(engine.PrepareScan(tmp.Path("missing.db"), ""), CrcDatabase::State::Unreadable);
  const struct {
    const char* name;
    std::optional<std::int64_t> length;
    std::optional<std::string> content;
  } cases[] = {{"clean.exe", 5000, std::string(5000, 'a')},
               {"clean.txt", 300, std::string(300, 'b')},
               {"big.txt", 800000, std::nullopt},
               {"missing.txt", std::nullopt, std::nullopt}};
  for (const auto& c : cases) {
    const CheckedFile checked = engine.CheckSelection(folder, c.name);
    EXPECT_FALSE(checked.Reported()) << c.name;
    EXPECT_FALSE(checked.unreadable) << c.name;
    EXPECT_EQ(checked.length, c.length) << c.name;
    EXPECT_EQ(checked.content ? std::optional<std::string>(*checked.content) : std::nullopt, c.content) << c.name;
  }
  EXPECT_EQ(reads, (std::map<std::string, int>{{folder + "clean.exe", 1}, {folder + "clean.txt", 1}}));
  EXPECT_EQ(engine.BytesRead(), 5300u);
}

}  // namespace
}  // namespace tarvex
