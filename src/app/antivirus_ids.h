#pragma once
// Child window ids of the main window, for the window itself, UI automation and tests.

namespace tarvex::ids {

enum : int {
  Image1 = 100,
  Line1,
  jumlah_file,
  Label2,
  lblFileDiperiksa,
  persen,
  Label4,
  lblTotalFile,
  Virus_Ditemukan,
  Label3,
  lblJumlahVirus,
  status,
  lblPercentComplete,
  ProgressBar1,
  ListView1,
  cmdScan,
  cmdHapus,
  cmdKarantina,
  cmdMenu,
  cmdKeluar,
  cmdUpdate,
  Label1,
  Image2,
};

enum : int { mnuTemp = 201, mnuTool, mnuViewSigna, mnuAbout };

}  // namespace tarvex::ids
