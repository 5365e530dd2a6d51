#pragma once
// A flash disk as today's shortcut worms leave it, beside the shortcuts people
// make themselves: each case a folder of the stick, with its files, the
// shortcuts the system's shell makes there, and the rows a scan gives. The
// window tests make it under wine with the shell itself
// (shell_link_win32.h); the native tests read the same shortcuts from
// tests/signatures/shortcuts/, made from this table by
// tests/signatures/make_shortcut_fixtures_win32.cpp on the drive R:.
#include <cstdint>
#include <string>
#include <vector>

#include "system/files.h"

namespace tarvex::testing {

inline constexpr std::uint32_t kHiddenSystem = sys::kAttrHidden | sys::kAttrSystem;
// The stick's drive when the shortcuts were made, and in the window tests.
inline constexpr char kStickDrive[] = "R:\\";

struct StickFile {
  std::string path;  // below the case's folder, with backslashes; a folder ends in one
  std::uint32_t attributes = 0;
  std::string content = "";  // empty: a text naming the file
};

struct StickShortcut {
  std::string name;    // in the case's folder
  std::string target;  // "@" at the start stands for the case's folder
  std::string arguments = "";
  std::string workingDir = "";  // "@" too
  std::string icon = "";
  int iconIndex = 0;
};

struct StickRow {
  std::string path;  // below the case's folder
  std::string rule;
};

struct ShortcutCase {
  std::string folder;
  std::vector<StickFile> files;
  std::vector<StickShortcut> shortcuts;
  std::vector<StickRow> rows;  // in the order a scan gives them
};

inline constexpr char kCmd[] = "C:\\windows\\system32\\cmd.exe";
inline constexpr char kShell32[] = "C:\\windows\\system32\\shell32.dll";
inline constexpr int kFolderIcon = 3, kDriveIcon = 7;
inline constexpr char kShortcutRow[] = "Heur.Shortcut";
inline constexpr char kTargetRow[] = "Heur.ShortcutTarget";
// U+00A0 NO-BREAK SPACE: the name of the folder the loader worm hides the user's files in.
inline constexpr char kNoBreakSpace[] = "\xC2\xA0";

inline const std::vector<ShortcutCase>& ShortcutCases() {
  static const std::vector<ShortcutCase> cases = {
      // The worm variants.
      {"cmd",
       {{"kjkgdr.vbs", kHiddenSystem}, {"Tugas\\", kHiddenSystem}, {"Tugas\\laporan.docx"}},
       {{"Tugas.lnk", kCmd, "/c start kjkgdr.vbs & start explorer Tugas & exit", "", kShell32, kFolderIcon}},
       {{"Tugas.lnk", kShortcutRow}, {"kjkgdr.vbs", kTargetRow}}},
      {"wscript",
       {{"RECYCLER\\", kHiddenSystem}, {"RECYCLER\\S-1-5-21-1004\\"}, {"RECYCLER\\S-1-5-21-1004\\Run.VBS"}},
       {{"Foto Liburan.lnk", "C:\\windows\\system32\\wscript.exe", "//B //Nologo \"recycler\\s-1-5-21-1004\\run.vbs\"", "",
         kShell32, kFolderIcon}},
       {{"Foto Liburan.lnk", kShortcutRow}, {"RECYCLER\\S-1-5-21-1004\\Run.VBS", kTargetRow}}},
      {"mshta",
       {{"data.hta"}},
       {{"Musik.lnk", "C:\\windows\\system32\\mshta.exe", "\"DATA.HTA\"", "", kShell32, kFolderIcon}},
       {{"Musik.lnk", kShortcutRow}, {"data.hta", kTargetRow}}},
      {"powershell",
       {{"lib\\"}, {"lib\\update.ps1", kHiddenSystem}},
       {{"Dokumen.lnk", "C:\\windows\\system32\\WindowsPowerShell\\v1.0\\powershell.exe",
         "-WindowStyle Hidden -ExecutionPolicy Bypass -File .\\lib\\update.ps1", "", kShell32, kFolderIcon}},
       {{"Dokumen.lnk", kShortcutRow}, {"lib\\update.ps1", kTargetRow}}},
      {"cscript",
       {{"system.dat", kHiddenSystem}},
       {{"Arsip.lnk", "C:\\windows\\system32\\cscript.exe", "//E:jscript //B system.dat", "@", kShell32, kFolderIcon}},
       {{"Arsip.lnk", kShortcutRow}, {"system.dat", kTargetRow}}},
      {"loader",
       {{std::string(kNoBreakSpace) + "\\", kHiddenSystem},
        {std::string(kNoBreakSpace) + "\\Tugas\\laporan.docx"},
        {std::string(kNoBreakSpace) + "\\foto.jpg"},
        {"~$WQRSTUV.FAT32", kHiddenSystem},
        {"desktop.ini", kHiddenSystem}},
       {{"Removable Disk (8GB).lnk", "C:\\windows\\system32\\rundll32.exe", "~$WQRSTUV.FAT32,_ldr@16 desktop.ini RET TLB",
         "", kShell32, kDriveIcon}},
       {{"Removable Disk (8GB).lnk", kShortcutRow}, {"~$WQRSTUV.FAT32", kTargetRow}, {"desktop.ini", kTargetRow}}},
      {"regsvr32",
       {{"sys32.dll"}},
       {{"Video.lnk", "C:\\windows\\system32\\regsvr32.exe", "/s sys32.dll", "", kShell32, kFolderIcon}},
       {{"Video.lnk", kShortcutRow}, {"sys32.dll", kTargetRow}}},
      {"hidden-program",
       {{"svchost.exe", kHiddenSystem, "MZ a worm"}},
       {{"Data.lnk", "@\\svchost.exe", "", "", kShell32, kFolderIcon}},
       {{"Data.lnk", kShortcutRow}, {"svchost.exe", kTargetRow}}},
      {"recycler-program",
       {{"$RECYCLE.BIN\\", kHiddenSystem}, {"$RECYCLE.BIN\\S-1-5-21\\winupdate.exe", 0, "MZ a worm"}},
       {{"Sekolah.lnk", "@\\$RECYCLE.BIN\\S-1-5-21\\winupdate.exe", "", "", kShell32, kFolderIcon}},
       {{"Sekolah.lnk", kShortcutRow}, {"$RECYCLE.BIN\\S-1-5-21\\winupdate.exe", kTargetRow}}},
      {"folder-place",
       {{"Foto\\", kHiddenSystem}, {"Foto\\liburan.jpg"}},
       {{"Foto.lnk", kCmd, "/c start %TEMP%\\svc.exe & start explorer Foto", "", kShell32, kFolderIcon}},
       {{"Foto.lnk", kShortcutRow}}},
      {"unicode",
       {{"Фото\\", kHiddenSystem}, {"лагу.vbs", kHiddenSystem}},
       {{"Фото.lnk", kCmd, "/c start лагу.vbs & start explorer Фото", "", kShell32, kFolderIcon}},
       {{"Фото.lnk", kShortcutRow}, {"лагу.vbs", kTargetRow}}},
      {"unicode-program",
       {{"Мой.exe", kHiddenSystem, "MZ a worm"}},
       {{"Документы.lnk", "@\\Мой.exe", "", "", kShell32, kFolderIcon}},
       {{"Документы.lnk", kShortcutRow}, {"Мой.exe", kTargetRow}}},
      // The shortcuts people make.
      {"document",
       {{"Laporan.docx"}, {"Dokumen\\"}},
       {{"Laporan.lnk", "@\\Laporan.docx"}, {"Dokumen.lnk", "@\\Dokumen"}},
       {}},
      {"start-menu",
       {{"Tools\\"}},
       {{"Notepad.lnk", "C:\\windows\\notepad.exe"},
        {"Internet Explorer.lnk", "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"Command Prompt.lnk", kCmd},
        {"Tools Prompt.lnk", kCmd, "/k cd /d Tools"}},
       {}},
      {"portable",
       {{"PortableApps\\Firefox\\Firefox.exe", 0, "MZ a program"}},
       {{"Firefox.lnk", "@\\PortableApps\\Firefox\\Firefox.exe", "", "@\\PortableApps\\Firefox"}},
       {}},
      {"explorer", {{"Musik\\"}}, {{"Musik Saya.lnk", "C:\\windows\\explorer.exe", "Musik"}}, {}},
      {"own-folder", {{"Tugas\\", kHiddenSystem}}, {{"Tugas.lnk", "@\\Tugas"}}, {}},
      {"launcher-document", {{"Laporan.docx"}}, {{"Buka Laporan.lnk", kCmd, "/c start Laporan.docx"}}, {}},
      {"not-shortcuts",
       {{"Tugas\\", kHiddenSystem},
        {"Tugas.url", 0, "[InternetShortcut]\r\nURL=https://example.com/tugas\r\n"},
        {"desktop.ini", kHiddenSystem, "[.ShellClassInfo]\r\nIconResource=C:\\windows\\system32\\shell32.dll,3\r\n"}},
       {},
       {}},
  };
  return cases;
}

// "@" at the start of a table's path as the case's folder `folder`.
inline std::string InCase(const std::string& written, const std::string& folder) {
  return !written.empty() && written[0] == '@' ? folder + written.substr(1) : written;
}

// The text a table's file holds.
inline std::string ContentOf(const StickFile& file) {
  return file.content.empty() ? "the file " + file.path + "\r\n" : file.content;
}

}  // namespace tarvex::testing
