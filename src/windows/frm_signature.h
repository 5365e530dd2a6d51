#pragma once
// frmSignature, "Virus Signature": every virus name the program knows, those
// of the database first, then those built in, numbered in one sequence, with
// the count below. It only shows.
#include <functional>
#include <string>
#include <vector>

#include "ui/window_state.h"

namespace tarvex {

struct SignatureServices {
  // Tarvex.db, read afresh at every opening.
  std::function<std::string()> databasePath;
};

inline constexpr ui::WindowSpec kSignatureWindow = {
    .className = "TarvexSignature",
    .title = "Virus Signature",
    .clientWidth = ui::Px(4245),
    .clientHeight = ui::Px(3555),
    .back = ui::Rgb(0, 0, 128),
    .fore = ui::Rgb(0, 255, 0),
    .font = {"Tahoma", 825},
    .frame = ui::Frame::FixedSingle,
};

inline constexpr ui::ControlSpec kSignatureControls[] = {
    {.kind = ui::Kind::Label, .id = 1, .name = "lblJudul", .box = ui::Twips(1080, 240, 2175, 255),
     .font = {"Tahoma", 825, true}, .text = "Daftar Signature Virus :", .fore = ui::Rgb(0, 192, 0)},
    {.kind = ui::Kind::ListBox, .id = 2, .name = "List1", .box = ui::Twips(240, 600, 3735, 2205),
     .font = {"Tahoma", 825, true}, .flags = ui::kTabStop},
    {.kind = ui::Kind::Label, .id = 3, .name = "lblJumlahVirus", .box = ui::Twips(240, 3000, 1935, 255),
     .font = {"Tahoma", 825}, .fore = ui::Rgb(0, 255, 0)},
    {.kind = ui::Kind::Button, .id = 4, .name = "cmdTutup", .box = ui::Twips(2520, 3000, 1455, 375), .text = "Tutup",
     .fore = ui::Rgb(0, 0, 0), .flags = ui::kTabStop},
};

class frmSignature : public ui::WindowState {
 public:
  static constexpr ui::ControlTable kControls{kSignatureControls};
  static constexpr int List1 = kControls.IdOf("List1");
  static constexpr int lblJumlahVirus = kControls.IdOf("lblJumlahVirus");
  static constexpr int cmdTutup = kControls.IdOf("cmdTutup");

  explicit frmSignature(SignatureServices services);

  void Form_Load() override;
  void Click(int id) override;

 private:
  SignatureServices services_;
};

}  // namespace tarvex
