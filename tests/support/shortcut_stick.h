#pragma once
// A flash disk as today's shortcut worms leave it, beside the shortcuts people
// make themselves: each case a folder of the stick with its files, the
// shortcuts the system's shell makes there, and the rows a scan gives. The
// window tests make it with the shell under wine (shell_link_win32.h); the
// native tests read the same shortcuts from tests/signatures/shortcuts/,
// made from this table on the drive R: (see the README there).
#include <string>
#include <vector>

namespace tarvex::testing {

inline constexpr char kStickDrive[] = "R:\\";
// U+00A0 NO-BREAK SPACE: the name of the folder the loader worm hides the user's files in.
inline constexpr char kNoBreakSpace[] = "\xC2\xA0";

struct StickShortcut {
  std::string name;
  std::string target;  // "@" first stands for the case's folder, as in workingDir
  std::string arguments = "";
  std::string workingDir = "";
  int folderIcon = -1;  // the icon of shell32.dll it shows, none when negative
};

struct ShortcutCase {
  std::string folder;
  // Below the case's folder, with backslashes; a folder ends in one. A "*"
  // first: hidden and system.
  std::vector<std::string> files;
  std::vector<StickShortcut> shortcuts;
  // The worm's shortcut, a "Heur.Shortcut" row, then the files it starts,
  // each a "Heur.ShortcutTarget" row, in the order a scan names them.
  std::vector<std::string> rows;
};

inline const std::vector<ShortcutCase>& ShortcutCases() {
  const std::string cmd = "C:\\windows\\system32\\cmd.exe", nbsp = kNoBreakSpace;
  static const std::vector<ShortcutCase> cases = {
      // The worm variants.
      {"cmd", {"*kjkgdr.vbs", "*Tugas\\", "Tugas\\laporan.docx"},
       {{"Tugas.lnk", cmd, "/c start kjkgdr.vbs & start explorer Tugas & exit", "", 3}}, {"Tugas.lnk", "kjkgdr.vbs"}},
      {"wscript", {"*RECYCLER\\", "RECYCLER\\S-1-5-21-1004\\Run.VBS"},
       {{"Foto Liburan.lnk", "C:\\windows\\system32\\wscript.exe", "//B //Nologo \"recycler\\s-1-5-21-1004\\run.vbs\"",
         "", 3}},
       {"Foto Liburan.lnk", "RECYCLER\\S-1-5-21-1004\\Run.VBS"}},
      {"mshta", {"data.hta"}, {{"Musik.lnk", "C:\\windows\\system32\\mshta.exe", "\"DATA.HTA\"", "", 3}},
       {"Musik.lnk", "data.hta"}},
      {"powershell", {"*lib\\update.ps1"},
       {{"Dokumen.lnk", "C:\\windows\\system32\\WindowsPowerShell\\v1.0\\powershell.exe",
         "-WindowStyle Hidden -ExecutionPolicy Bypass -File .\\lib\\update.ps1", "", 3}},
       {"Dokumen.lnk", "lib\\update.ps1"}},
      {"cscript", {"*lib\\system.dat"},
       {{"Arsip.lnk", "C:\\windows\\system32\\cscript.exe", "//E:jscript //B system.dat", "@\\lib", 3}},
       {"Arsip.lnk", "lib\\system.dat"}},
      {"loader", {"*" + nbsp + "\\", nbsp + "\\Tugas\\laporan.docx", nbsp + "\\foto.jpg", "*~$WQRSTUV.FAT32", "*desktop.ini"},
       {{"Removable Disk (8GB).lnk", "C:\\windows\\system32\\rundll32.exe", "~$WQRSTUV.FAT32,_ldr@16 desktop.ini RET TLB",
         "", 7}},
       {"Removable Disk (8GB).lnk", "~$WQRSTUV.FAT32", "desktop.ini"}},
      {"regsvr32", {"sys32.dll"}, {{"Video.lnk", "C:\\windows\\system32\\regsvr32.exe", "/s sys32.dll", "", 3}},
       {"Video.lnk", "sys32.dll"}},
      {"hidden-program", {"*svchost.exe"}, {{"Data.lnk", "@\\svchost.exe", "", "", 3}}, {"Data.lnk", "svchost.exe"}},
      {"recycler-program", {"*$RECYCLE.BIN\\", "$RECYCLE.BIN\\S-1-5-21\\winupdate.exe"},
       {{"Sekolah.lnk", "@\\$RECYCLE.BIN\\S-1-5-21\\winupdate.exe", "", "", 3}},
       {"Sekolah.lnk", "$RECYCLE.BIN\\S-1-5-21\\winupdate.exe"}},
      {"folder-place", {"*Foto\\", "Foto\\liburan.jpg"},
       {{"Foto.lnk", cmd, "/c start %TEMP%\\svc.exe & start explorer Foto", "", 3}}, {"Foto.lnk"}},
      {"unicode", {"*Фото\\", "*лагу.vbs"}, {{"Фото.lnk", cmd, "/c start лагу.vbs & start explorer Фото", "", 3}},
       {"Фото.lnk", "лагу.vbs"}},
      {"unicode-program", {"*Мой.exe"}, {{"Документы.lnk", "@\\Мой.exe", "", "", 3}}, {"Документы.lnk", "Мой.exe"}},
      // The shortcuts people make.
      {"document", {"Laporan.docx", "Dokumen\\"}, {{"Laporan.lnk", "@\\Laporan.docx"}, {"Dokumen.lnk", "@\\Dokumen"}}, {}},
      {"start-menu", {"Tools\\"},
       {{"Notepad.lnk", "C:\\windows\\notepad.exe"},
        {"Internet Explorer.lnk", "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"Command Prompt.lnk", cmd}, {"Tools Prompt.lnk", cmd, "/k cd /d Tools"}},
       {}},
      {"portable", {"PortableApps\\Firefox\\Firefox.exe"},
       {{"Firefox.lnk", "@\\PortableApps\\Firefox\\Firefox.exe", "", "@\\PortableApps\\Firefox"}}, {}},
      {"explorer", {"Musik\\"}, {{"Musik Saya.lnk", "C:\\windows\\explorer.exe", "Musik"}}, {}},
      {"own-folder", {"*Tugas\\", "*Musik\\"},
       {{"Tugas.lnk", "@\\Tugas"}, {"Musik.lnk", "C:\\windows\\explorer.exe", "/e,Musik"}}, {}},
      {"launcher-document", {"Laporan.docx"}, {{"Buka Laporan.lnk", cmd, "/c start Laporan.docx"}}, {}},
      {"not-shortcuts", {"*Tugas\\", "Tugas.url", "*desktop.ini"}, {}, {}},
  };
  return cases;
}

// A table's path: "@" first as the case's folder `folder`, a "*" left out.
inline std::string InCase(const std::string& written, const std::string& folder = "") {
  if (!written.empty() && written[0] == '*') return written.substr(1);
  return !written.empty() && written[0] == '@' ? folder + written.substr(1) : written;
}

}  // namespace tarvex::testing
