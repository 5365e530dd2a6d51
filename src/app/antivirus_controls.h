#pragma once
// The controls of the main window that its state class and the real window share.

namespace tarvex {

enum class Ctl {
  status,
  lblFileDiperiksa,
  lblTotalFile,
  lblJumlahVirus,
  lblPercentComplete,
  Label1,  // elapsed-time clock
  cmdScan,
  cmdHapus,
  cmdKarantina,
  cmdMenu,
  cmdKeluar,
  cmdUpdate,
  Count
};

constexpr bool IsButton(Ctl c) { return c >= Ctl::cmdScan && c <= Ctl::cmdUpdate; }

enum class Timer { Timer1 = 1, Timer2 = 2 };

}  // namespace tarvex
