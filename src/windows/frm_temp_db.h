#pragma once
// frmTempDb, "Tarvex Temporary Database": shows one chosen file's size,
// checksum text, type, compiler and packer (what a new database entry is made
// from), and can mark that checksum as a virus for the rest of the run.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/window_state.h"
#include "widgets/common_dialog.h"

namespace tarvex {

struct TempDbServices {
  // The open-file dialog owned by this window (cCommonDialog's
  // VBGetOpenFileName with the request's arguments); true when a file was
  // chosen, then in request.Filename.
  std::function<bool(OpenFileRequest& request)> getOpenFileName;
  // The file's facts; no value when the file cannot be read.
  std::function<std::string(const std::string& path)> checksumText;  // "0" for an empty or unreadable file
  std::function<std::optional<std::string>(const std::string& path)> packer;
  std::function<std::optional<std::string>(const std::string& path)> compiler;
  std::function<std::optional<std::int64_t>(const std::string& path)> fileLength;
  // The user's decimal separator.
  std::function<std::string()> decimalSeparator;
  // Marks a checksum text as a virus for the later scans of this run.
  std::function<void(const std::string& checksumText)> markChecksum;
};

// Length in Kb. with at most two decimals, halves to the even neighbour:
// 1536 bytes give "1.5 Kb." with "." as the separator.
std::string SizeText(std::int64_t length, const std::string& decimalSeparator);

namespace temp_db_layout {
using ui::Kind;
using ui::Twips;
constexpr ui::Font kTahoma{"Tahoma", 825};
constexpr ui::Colour kGreen = ui::Rgb(0, 255, 0);

constexpr ui::ControlSpec Caption(int id, const char* name, int top, const char* text) {
  return {.kind = Kind::Label, .id = id, .name = name, .box = Twips(120, top, 975, 255), .text = text, .parent = 4};
}
constexpr ui::ControlSpec Value(int id, const char* name, int top, int width) {
  return {.kind = Kind::Label, .id = id, .name = name, .box = Twips(1200, top, width, 255), .parent = 4,
          .flags = ui::kNoPrefix};
}
}  // namespace temp_db_layout

inline constexpr ui::WindowSpec kTempDbWindow = {
    .className = "TarvexTempDb",
    .title = "Tarvex Temporary Database",
    .clientWidth = ui::Px(4905),
    .clientHeight = ui::Px(3630),
    .back = ui::Rgb(0, 0, 128),
    .fore = temp_db_layout::kGreen,
    .font = temp_db_layout::kTahoma,
    .frame = ui::Frame::FixedSingle,
};

inline constexpr ui::ControlSpec kTempDbControls[] = {
    {.kind = ui::Kind::Label, .id = 1, .name = "Label4", .box = ui::Twips(240, 360, 4455, 255),
     .text = "Browse aplikasi yang anda curigai, Jangan buat kesalahan !"},
    {.kind = ui::Kind::TextBox, .id = 2, .name = "txtFileName", .box = ui::Twips(240, 720, 3855, 375),
     .font = temp_db_layout::kTahoma, .back = ui::Rgb(192, 192, 192), .flags = ui::kTabStop | ui::kReadOnly},
    {.kind = ui::Kind::Button, .id = 3, .name = "cmdBrowse", .box = ui::Twips(4080, 720, 735, 375), .text = "Browse",
     .tooltip = "Klik disini untuk Browsing file.", .fore = ui::Rgb(0, 0, 0), .flags = ui::kTabStop},
    {.kind = ui::Kind::Frame, .id = 4, .name = "Frame1", .box = ui::Twips(240, 1200, 4455, 1695),
     .font = temp_db_layout::kTahoma, .text = "Informasi File"},
    temp_db_layout::Caption(5, "Label1", 240, "Ukuran       :"),
    temp_db_layout::Value(6, "lblUkuran", 240, 3015),
    temp_db_layout::Caption(7, "Label2", 480, "Checksum  :"),
    temp_db_layout::Value(8, "lblChecksum", 480, 975),
    temp_db_layout::Caption(9, "Label3", 720, "Type          :"),
    temp_db_layout::Value(10, "lblType", 720, 1815),
    temp_db_layout::Caption(11, "Label6", 960, "Compiler     :"),
    temp_db_layout::Value(12, "lblCompiler", 960, 2415),
    temp_db_layout::Caption(13, "Label5", 1200, "Packer       :"),
    temp_db_layout::Value(14, "lblPacker", 1200, 2535),
    {.kind = ui::Kind::CheckBox, .id = 15, .name = "Check1", .box = ui::Twips(240, 3000, 1935, 255),
     .font = temp_db_layout::kTahoma, .text = "Tandai Sebagai Virus", .tooltip = "Klik checkbox ini untuk menandai virus.",
     .flags = ui::kTabStop},
    {.kind = ui::Kind::Button, .id = 16, .name = "cmdTutup", .box = ui::Twips(3240, 3000, 1455, 375), .text = "Tutup",
     .tooltip = "Jika sudah selesai klik tutup.", .fore = ui::Rgb(0, 0, 0), .flags = ui::kTabStop},
};

class frmTempDb : public ui::WindowState {
 public:
  static constexpr ui::ControlTable kControls{kTempDbControls};
  static constexpr int txtFileName = kControls.IdOf("txtFileName");
  static constexpr int cmdBrowse = kControls.IdOf("cmdBrowse");
  static constexpr int lblUkuran = kControls.IdOf("lblUkuran");
  static constexpr int lblChecksum = kControls.IdOf("lblChecksum");
  static constexpr int lblType = kControls.IdOf("lblType");
  static constexpr int lblCompiler = kControls.IdOf("lblCompiler");
  static constexpr int lblPacker = kControls.IdOf("lblPacker");
  static constexpr int Check1 = kControls.IdOf("Check1");
  static constexpr int cmdTutup = kControls.IdOf("cmdTutup");

  explicit frmTempDb(TempDbServices services);

  void Form_Unload() override;
  void Click(int id) override;

  void cmdBrowse_Click();

 private:
  // The analysis; false at the first step that fails.
  bool Analyse(const std::string& path);

  TempDbServices services_;
};

}  // namespace tarvex
