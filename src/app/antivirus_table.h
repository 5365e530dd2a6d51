#pragma once
// The main window's layout: every control with its id, place, font, text and
// tooltip. This table is the only place the window's control ids are defined.
#include "base/app_title.h"
#include "ui/control_table.h"

namespace tarvex {

namespace antivirus_layout {

using ui::Kind;

constexpr ui::Font kColonFont{"Arial", 900};
constexpr ui::Font kBoldFont{"Tahoma", 900, true};
constexpr ui::Colour kHoverRed = ui::Rgb(192, 0, 0);

inline constexpr ui::Column kResultColumns[] = {
    {" ", 0}, {"Nama Virus ", 120}, {"Lokasi :", 247}, {"Ukuran (byte)", 110, true}, {"Keterangan", 110},
};

constexpr ui::ControlSpec CommandButton(int id, const char* name, int top, const char* caption, const char* tooltip,
                                        ui::Colour hover = kHoverRed) {
  return {.kind = Kind::Button, .id = id, .name = name, .box = {632, top, 89, 25}, .font = kBoldFont, .text = caption,
          .tooltip = tooltip, .fore = ui::kWindowFrameColour, .hover = hover, .flags = ui::kTabStop};
}

constexpr ui::ControlSpec Text(int id, const char* name, ui::Box box, const char* text, ui::Font font = {}) {
  return {.kind = Kind::Label, .id = id, .name = name, .box = box, .font = font, .text = text};
}

}  // namespace antivirus_layout

inline constexpr ui::WindowSpec kAntivirusWindow = {
    .className = "TarvexAntivirus",
    .title = kProgramTitle,
    .clientWidth = 730,
    .clientHeight = 412,
    .back = ui::Rgb(0, 0, 128),
    .fore = ui::Rgb(0, 255, 0),
    .font = {"Tahoma", 825},
    .frame = ui::Frame::None,
    .taskbarButton = true,
    .minimiseBox = true,
    .centred = true,
};

// In z-order, top first: the separator lies over the banner's lower edge.
inline constexpr ui::ControlSpec kAntivirusControls[] = {
    {.kind = ui::Kind::Line, .id = 101, .name = "Line1", .box = {0, 104, 665, 1}, .fore = ui::Rgb(0, 128, 0)},
    {.kind = ui::Kind::Picture, .id = 100, .name = "Image1", .box = {0, 0, 729, 107}, .text = kProgramTitle},
    antivirus_layout::Text(102, "jumlah_file", {24, 120, 73, 17}, "File Diperiksa "),
    antivirus_layout::Text(103, "Label2", {112, 120, 9, 17}, ":", antivirus_layout::kColonFont),
    antivirus_layout::Text(104, "lblFileDiperiksa", {128, 120, 57, 17}, "0"),
    antivirus_layout::Text(105, "persen", {24, 136, 65, 17}, "Total File  "),
    antivirus_layout::Text(106, "Label4", {112, 136, 9, 17}, ":", antivirus_layout::kColonFont),
    antivirus_layout::Text(107, "lblTotalFile", {128, 136, 57, 17}, "0"),
    antivirus_layout::Text(108, "Virus_Ditemukan", {24, 152, 81, 17}, "Virus Ditemukan "),
    antivirus_layout::Text(109, "Label3", {112, 152, 9, 17}, ":", antivirus_layout::kColonFont),
    {.kind = ui::Kind::Label, .id = 110, .name = "lblJumlahVirus", .box = {128, 152, 57, 17}, .text = "0",
     .fore = ui::Rgb(255, 0, 0)},
    // The status line shows file paths: an "&" in one is a letter, not an access key.
    {.kind = ui::Kind::Label, .id = 111, .name = "status", .box = {224, 120, 497, 25}, .flags = ui::kNoPrefix},
    antivirus_layout::Text(112, "lblPercentComplete", {472, 144, 169, 17}, "0 % Complete..."),
    {.kind = ui::Kind::ProgressBar, .id = 113, .name = "ProgressBar1", .box = {192, 160, 465, 17}},
    {.kind = ui::Kind::ListView, .id = 114, .name = "ListView1", .box = {8, 184, 609, 153}, .flags = ui::kTabStop,
     .columns = antivirus_layout::kResultColumns},
    antivirus_layout::CommandButton(115, "cmdScan", 184, "Scan", "Klik disini untuk memeriksa file."),
    antivirus_layout::CommandButton(116, "cmdHapus", 216, "Hapus", "Klik disini untuk menghapus virus yang terdeteksi."),
    antivirus_layout::CommandButton(117, "cmdKarantina", 248, "Karantina",
                                    "Klik disini untuk memindahkan virus ke karantina."),
    antivirus_layout::CommandButton(118, "cmdMenu", 280, "Menu", "Klik disini untuk menjalankan  menu tambahan."),
    antivirus_layout::CommandButton(119, "cmdKeluar", 312, "Keluar", "Klik disini untuk Keluar."),
    antivirus_layout::CommandButton(120, "cmdUpdate", 344, "Update", "Update Antivirus disini", ui::Rgb(0, 0, 0)),
    antivirus_layout::Text(121, "Label1", {24, 356, 121, 17}, "Elapsed : 00:00:00", antivirus_layout::kBoldFont),
    {.kind = ui::Kind::Picture, .id = 122, .name = "Image2", .box = {248, 344, 211, 61}, .text = kApplicationTitle},
    {.kind = ui::Kind::Menu, .id = 200, .name = "mnu", .text = "mnu"},
    {.kind = ui::Kind::MenuItem, .id = 201, .name = "mnuTemp", .text = "Temp Database", .parent = 200},
    {.kind = ui::Kind::MenuItem, .id = 202, .name = "mnuTool", .text = "External Tool", .parent = 200},
    {.kind = ui::Kind::MenuItem, .id = 203, .name = "mnuViewSigna", .text = "View Signature", .parent = 200},
    {.kind = ui::Kind::MenuItem, .id = 204, .name = "mnuAbout", .text = "About", .parent = 200},
    {.kind = ui::Kind::MenuItem, .id = 205, .name = "mnuKarantina", .text = "Karantina", .parent = 200},
};

}  // namespace tarvex
