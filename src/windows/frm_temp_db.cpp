#include "windows/frm_temp_db.h"

#include "scan/file_detection.h"
#include "signatures/checksum_text.h"
#include "signatures/kumpulan_fungsi.h"
#include "ui/required_services.h"

namespace tarvex {

namespace {

// "0" is what an empty or unreadable file gives: marked, it would report
// every such file as a virus.
bool IsNoChecksum(const std::string& text) { return text == ChecksumText(std::nullopt); }

}  // namespace

std::string SizeText(std::int64_t length, const std::string& decimalSeparator) {
  // Hundredths of a Kb., exactly: length * 100 / 1024, halves to even.
  std::int64_t scaled = length * 100;
  std::int64_t hundredths = scaled / 1024;
  std::int64_t rest = scaled % 1024;
  if (rest * 2 > 1024 || (rest * 2 == 1024 && hundredths % 2 != 0)) ++hundredths;

  std::string text = std::to_string(hundredths / 100);
  int decimals = static_cast<int>(hundredths % 100);
  if (decimals != 0) {
    text += decimalSeparator;
    text += static_cast<char>('0' + decimals / 10);
    if (decimals % 10 != 0) text += static_cast<char>('0' + decimals % 10);
  }
  return text + " Kb.";
}

frmTempDb::frmTempDb(TempDbServices services)
    : ui::WindowState(kTempDbWindow, kTempDbControls), services_(std::move(services)) {
  const TempDbServices& s = services_;
  ui::RequireServices("TempDbServices", {{bool(s.getOpenFileName), "getOpenFileName"},
                                         {bool(s.checksumText), "checksumText"},
                                         {bool(s.packer), "packer"},
                                         {bool(s.compiler), "compiler"},
                                         {bool(s.fileLength), "fileLength"},
                                         {bool(s.decimalSeparator), "decimalSeparator"},
                                         {bool(s.markChecksum), "markChecksum"}});
}

void frmTempDb::Click(int id) {
  if (id == cmdBrowse) cmdBrowse_Click();
  if (id == cmdTutup) Unload();
}

void frmTempDb::cmdBrowse_Click() {
  OpenFileRequest request;
  request.FileMustExist = true;
  request.Filter = "All (*.*)| *.*";
  request.FilterIndex = 1;
  if (!services_.getOpenFileName(request)) return;
  // A failing step ends the click; what it already showed stays.
  Analyse(request.Filename);
}

bool frmTempDb::Analyse(const std::string& path) {
  ui::ControlState& c = Controls();
  c.SetText(txtFileName, path);
  c.SetText(lblChecksum, services_.checksumText(path));
  std::optional<std::string> packer = services_.packer(path);
  if (!packer) return false;
  c.SetText(lblPacker, *packer);
  std::optional<std::string> compiler = services_.compiler(path);
  if (!compiler) return false;
  c.SetText(lblCompiler, *compiler);
  std::optional<std::int64_t> length = services_.fileLength(path);
  if (!length) return false;
  c.SetText(lblUkuran, SizeText(*length, services_.decimalSeparator()));
  c.SetText(lblType, FileTypeOf(path));
  // Only a file the scan's CRC check sees can be found by its mark. The tick
  // stays as the user left it, even when the box is disabled (and then marks
  // nothing).
  const std::string& checksum = c.Text(lblChecksum);
  c.SetEnabled(Check1, !TooLargeForCrcCheck(*length) && !checksum.empty() && !IsNoChecksum(checksum));
  return true;
}

void frmTempDb::Form_Unload() {
  // Ticked marks the checksum shown; ticked with none shown takes the mark
  // back. A disabled box shows a file the scan never checksums: its mark
  // could never fire, so an earlier mark that can stays; so it does for
  // "0", which is no real checksum.
  const std::string& checksum = Controls().Text(lblChecksum);
  if (Controls().Checked(Check1) && Controls().Enabled(Check1) && !IsNoChecksum(checksum))
    services_.markChecksum(checksum);
}

}  // namespace tarvex
