#include "windows/frm_signature.h"

#include "signatures/signature_database.h"
#include "signatures/string_signature.h"
#include "ui/required_services.h"

namespace tarvex {

namespace {
// The window's storage: entries 1 to 2000 of the database.
constexpr std::size_t kDatabaseEntries = 2000;
constexpr const char* kEndName = "Selesai";

// The names of the database at dbPath in file order, up to the first named
// "Selesai"; an entry without a colon is its own name. An unreadable
// database has none.
std::vector<std::string> DatabaseNames(const std::string& dbPath) {
  std::vector<std::string> names;
  std::optional<DatabaseReading> reading = ReadDatabaseFile(dbPath);
  if (!reading) return names;
  for (const DatabaseEntry& e : reading->entries) {
    if (names.size() == kDatabaseEntries) break;
    const std::string& name = e.hasColon ? e.name : e.key;
    if (name == kEndName) break;
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> BuiltInVirusNames() {
  std::vector<std::string> names;
  for (std::int16_t i = 1;; ++i) {
    std::string entry = VirusSignature(i);
    if (entry.empty() || entry == kVirusSentinel) break;
    names.push_back(SplitVirusEntry(entry).name);
  }
  return names;
}

std::string SignatureLine(std::size_t number, const std::string& name) { return std::to_string(number) + ". " + name; }

std::string SignatureCountLine(std::size_t count) { return "Jumlah Signature : " + std::to_string(count); }

}  // namespace

frmSignature::frmSignature(SignatureServices services)
    : ui::WindowState(kSignatureWindow, kSignatureControls), services_(std::move(services)) {
  ui::RequireServices("SignatureServices", {{bool(services_.databasePath), "databasePath"}});
}

void frmSignature::Form_Load() {
  ui::ControlState& c = Controls();
  std::size_t n = 1;
  for (const std::string& name : DatabaseNames(services_.databasePath())) c.AddItem(List1, SignatureLine(n++, name));
  for (const std::string& name : BuiltInVirusNames()) c.AddItem(List1, SignatureLine(n++, name));
  c.SetText(lblJumlahVirus, SignatureCountLine(c.Items(List1).size()));
}

void frmSignature::Click(int id) {
  if (id == cmdTutup) Unload();
}

}  // namespace tarvex
