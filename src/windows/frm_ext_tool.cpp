#include "windows/frm_ext_tool.h"

#include "base/app_title.h"
#include "base/web_addresses.h"
#include "ui/required_services.h"

namespace tarvex {

namespace {

// The message shown when FileRecover.bat is missing or hidden.
std::string MissingBatchFileText(const std::string& programFolder) {
  return "Maaf, file " + programFolder + "\\FileRecover.bat tidak ditemukan.\r\n" +
         kProductName + " tidak dapat melakukan perintah ini.\r\n" + "Silahkan download kembali dari " +
         config::kHomePage;
}

}  // namespace

// clang-format off
const CursorImage kHandCursor = {12, 1, {
    "...........##...................",
    "..........#oo#..................",
    "..........#oo#..................",
    "..........#oo#..................",
    "..........#oo#..................",
    "..........#oo###................",
    "..........#oo#oo###.............",
    "..........#oo#oo#oo##...........",
    "..........#oo#oo#oo#o#..........",
    ".......##.#oo#oo#oo#oo#.........",
    "......#oo##oooooooo#oo#.........",
    "......#ooo#ooooooooooo#.........",
    ".......#oo#ooooooooooo#.........",
    "........#ooooooooooooo#.........",
    "........#ooooooooooooo#.........",
    ".........#oooooooooooo#.........",
    ".........#ooooooooooo#..........",
    "..........#oooooooooo#..........",
    "..........#oooooooooo#..........",
    "...........#oooooooo#...........",
    "...........#oooooooo#...........",
    "...........##########...........",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
}};
// clang-format on

frmExtTool::frmExtTool(ExtToolServices services)
    : ui::WindowState(kExtToolWindow, kExtToolControls), services_(std::move(services)) {
  ui::RequireServices("ExtToolServices", {{bool(services_.writeLog), "writeLog"},
                                          {bool(services_.programFolder), "programFolder"},
                                          {bool(services_.visibleFileExists), "visibleFileExists"},
                                          {bool(services_.shellOpen), "shellOpen"},
                                          {bool(services_.messageBox), "messageBox"}});
}

void frmExtTool::Click(int id) {
  if (id == Label1) Label1_Click();
  if (id == cmdTutup) Unload();
}

void frmExtTool::Label1_Click() {
  services_.writeLog("Pengembalian File");
  std::string folder = services_.programFolder();
  std::string batch = folder + "\\FileRecover.bat";
  if (services_.visibleFileExists(batch)) {
    services_.shellOpen(batch);
  } else {
    services_.messageBox(MissingBatchFileText(folder), sys::kMbOk | sys::kMbIconExclamation, "Error");
  }
}

}  // namespace tarvex
