#pragma once
// The main window "Antivirus": a borderless 730 x 412 navy window whose
// controls show the state held by an Antivirus object.
#include <windows.h>

#include <array>
#include <memory>

#include "app/antivirus.h"
#include "widgets/xp_button_win32.h"

namespace tarvex {

class AntivirusWindow : private AntivirusObserver {
 public:
  // Services left empty are filled with the real ones (shell folder browser,
  // event queue, system beep, immediate end of the process, files, clock).
  explicit AntivirusWindow(AntivirusServices services = {});
  ~AntivirusWindow();
  AntivirusWindow(const AntivirusWindow&) = delete;
  AntivirusWindow& operator=(const AntivirusWindow&) = delete;

  bool Create(int showCommand);
  HWND Handle() const { return hwnd_; }
  Antivirus& State() { return *state_; }
  HMENU PopupMenu() const { return mnu_; }
  XPButton& Button(Ctl c);

  // The program's own window ends the message loop when it goes.
  bool postQuitOnDestroy = false;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void CreateControls();
  void CreateLabel(int id, int x, int y, int w, int h, const char* text, HFONT font);
  void CreateButtons();
  void CreateResultList();
  void ShowMenu();
  HWND ControlWindow(Ctl c) const;

  // AntivirusObserver
  void ControlChanged(Ctl c) override;
  void ProgressChanged(int value) override;
  void RowsCleared() override;
  void RowAppended(std::size_t index) override;
  void RowRemoved(std::size_t index) override;
  void TimerChanged(Timer t, bool enabled) override;

  std::unique_ptr<Antivirus> state_;
  HWND hwnd_ = nullptr;
  HMENU mnu_ = nullptr;
  HBRUSH background_ = nullptr;
  HFONT tahoma_ = nullptr;
  HFONT arial_ = nullptr;
  HFONT tahomaBold_ = nullptr;
  std::array<XPButton, 6> buttons_;
};

}  // namespace tarvex
