#pragma once
// The program's windows besides the main one, as the main window asks for
// them; the App knows how to make each.

namespace tarvex {

enum class AppWindow {
  frmTempDb,     // file analysis ("Temp Database")
  frmExtTool,    // external tool
  frmSignature,  // signature list ("View Signature")
  frmAbout,
  frmUpdate,     // update reminder
  frmCheckUpdate,  // database download
  frmKarantina,    // the quarantine and restore
};

}  // namespace tarvex
