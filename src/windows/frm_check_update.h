#pragma once
// The database download window "Update DataBase": when it loads it hands the
// download address to the shell, checks Tarvex.db, puts a downloaded database
// in its place, and ends in a 30-second automatic close or in an error line.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "system/file_store.h"
#include "system/user_services.h"
#include "ui/window_state.h"

namespace tarvex {

struct CheckUpdateServices {
  sys::ShellOpenService shellOpen;  // owned by this window
  std::function<std::string()> databasePath;  // Tarvex.db in the program folder
  std::function<std::optional<std::string>()> downloadsFolder;
  sys::FileStore* files;
};

class frmCheckUpdate : public ui::WindowState {
 public:
  enum Id : int { Label2 = 1, lblstatus, Image1, Line1, lblAuto, cmdClose, sbStatus };
  enum TimerId : int { tmrAuto = 1 };

  explicit frmCheckUpdate(CheckUpdateServices services);

  // The only writer of the status line.
  void DownStatus(const std::string& strStatus);

  void Form_Load() override;
  void Form_Unload() override;
  void Click(int id) override;
  void Timer(int id) override;

  std::uint8_t AutoCloseLimit() const { return autoCloseLimit_; }
  std::uint8_t AutoCloseCount() const { return autoCloseCount_; }

 private:
  bool RunSequence();
  void SuccessEnding();
  void FailureEnding();
  void SetPanel(const std::string& text) { Controls().SetText(sbStatus, text); }
  void SetBusy(bool busy);

  CheckUpdateServices services_;
  std::uint8_t autoCloseLimit_ = 30;
  // Kept for the run: a later showing goes on from here.
  std::uint8_t autoCloseCount_ = 0;
};

}  // namespace tarvex
