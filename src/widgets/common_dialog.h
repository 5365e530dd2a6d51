#pragma once
// cCommonDialog: the system's standard dialogs (open and save file, colour,
// font, print, page setup, folder) behind calls whose arguments are plain
// values passed by reference. The program itself uses the open-file dialog;
// the others are complete wrappers for the windows that will need them.
//
// Texts, file names included, are UTF-8. An owner is a window handle as a
// number; -1 shows the dialog without an owner. Windows only.
#include <array>
#include <cstdint>
#include <string>

namespace tarvex {

// The arguments of VBGetOpenFileName by name, for callers that hand the whole
// request on (the file analysis window asks for a file through one).
struct OpenFileRequest {
  std::string Filename;
  std::string FileTitle;
  bool FileMustExist = false;
  bool MultiSelect = false;
  bool ReadOnly = false;
  bool HideReadOnly = false;
  std::string Filter;
  std::int32_t FilterIndex = 1;
  std::string InitDir;
  std::string DlgTitle;
  std::string DefaultExt;
  std::int32_t flags = 0;
};

// The font the font dialog starts from and gives back: what a font object holds.
struct FontChoice {
  std::string Name = "Tahoma";
  double Size = 8.25;  // points
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strikethrough = false;
};

// The settings the print and page setup dialogs start from and give back,
// standing in for a printer object. A field of 0 leaves the printer's own.
struct PrinterSettings {
  std::string DeviceName;  // "" until a dialog has chosen a printer
  int Copies = 0;
  int Orientation = 0;   // 1 portrait, 2 landscape
  int PaperSize = 0;     // the platform's paper number (9 is A4)
  int PrintQuality = 0;  // dots per inch, or the platform's negative quality codes
  int PaperWidth = 0;    // thousandths of an inch, from the page setup dialog
  int PaperHeight = 0;
};

// Which pages the print dialog prints.
enum PrintRange : std::int32_t { kPrintAll = 0, kPrintSelection = 1, kPrintPages = 2 };

inline constexpr std::intptr_t kNoOwner = -1;

class cCommonDialog {
 public:
  // Return value of the last dialog: 1 confirmed, 0 cancelled or failed.
  std::int32_t APIReturn() const { return apiReturn_; }
  // The platform's extended error after a failed dialog; 0 otherwise.
  std::int32_t ExtendedError() const { return extendedError_; }

  // True when the user confirmed a file. On return Filename and FileTitle hold
  // the chosen path and name (only the first of a multiple selection), Filter
  // the chosen "description NUL pattern", FilterIndex its number and flags
  // what the dialog reported; on cancel or failure they are empty, -1 and 0.
  bool VBGetOpenFileName(std::string& Filename, std::string& FileTitle, bool FileMustExist, bool MultiSelect,
                         bool& ReadOnly, bool HideReadOnly, std::string& Filter, std::int32_t& FilterIndex,
                         const std::string& InitDir, const std::string& DlgTitle, const std::string& DefaultExt,
                         std::intptr_t Owner, std::int32_t& flags);
  bool VBGetOpenFileName(OpenFileRequest& request, std::intptr_t Owner);

  // The save-file dialog, with the same results; OverWritePrompt asks before
  // an existing file is chosen.
  bool VBGetSaveFileName(std::string& Filename, std::string& FileTitle, bool OverWritePrompt, std::string& Filter,
                         std::int32_t& FilterIndex, const std::string& InitDir, const std::string& DlgTitle,
                         const std::string& DefaultExt, std::intptr_t Owner, std::int32_t& flags);

  // The name the shell shows for a path; "" when it has none.
  std::string VBGetFileTitle(const std::string& sFile);

  // The colour dialog, starting at Color (packed, red in the low byte) with
  // the 16 custom colours. Color becomes the chosen colour, or -1 on cancel.
  bool VBChooseColor(std::int32_t& Color, bool AnyColor, bool FullOpen, bool DisableFullOpen, std::intptr_t Owner,
                     std::int32_t& flags);
  // One custom colour, index 0 to 15; another index reads -1 and is ignored
  // when set. They start as the system colours 0 to 15.
  std::int32_t CustomColor(int index);
  void CustomColor(int index, std::int32_t iValue);

  // The font dialog for CurFont. PrinterDC (0 for none) adds the printer's
  // fonts; MinSize and MaxSize (points, 0 for no limit) bound the sizes;
  // Color is the text colour.
  bool VBChooseFont(FontChoice& CurFont, std::intptr_t PrinterDC, std::intptr_t Owner, std::int32_t& Color,
                    std::int32_t MinSize, std::int32_t MaxSize, std::int32_t& flags);

  // The print dialog. On confirm hdc is a device context of the chosen
  // printer (the caller deletes it) and Printer holds the chosen settings.
  bool VBPrintDlg(std::intptr_t& hdc, std::int32_t& PrintRange, bool DisablePageNumbers, std::int32_t& FromPage,
                  std::int32_t& ToPage, bool DisableSelection, std::int32_t& Copies, bool ShowPrintToFile,
                  bool DisablePrintToFile, bool& PrintToFile, bool& Collate, bool PreventWarning, std::intptr_t Owner,
                  PrinterSettings& Printer, std::int32_t& flags);

  // The page setup dialog; margins in thousandths of an inch.
  bool VBPageSetupDlg(std::intptr_t Owner, bool DisableMargins, bool DisableOrientation, bool DisablePaper,
                      bool DisablePrinter, std::int32_t& LeftMargin, std::int32_t MinLeftMargin,
                      std::int32_t& RightMargin, std::int32_t MinRightMargin, std::int32_t& TopMargin,
                      std::int32_t MinTopMargin, std::int32_t& BottomMargin, std::int32_t MinBottomMargin,
                      PrinterSettings& Printer, std::int32_t& flags);

  // The shell's folder browser, open at Folder when one is given; Folder
  // becomes the chosen folder, or "". DlgTitle is ANSI.
  bool VBBrowseForFolder(std::string& Folder, const std::string& DlgTitle, std::intptr_t Owner);

 private:
  void Begin();
  void End(int apiReturn);
  void FillCustomColours();

  std::int32_t apiReturn_ = 0;
  std::int32_t extendedError_ = 0;
  std::array<std::uint32_t, 16> customColours_{};
  bool customColoursFilled_ = false;
};

}  // namespace tarvex
