// The common dialogs for real, each answered once with OK and once with
// Cancel by a helper that presses the dialog's own buttons.
#include "widgets/common_dialog.h"

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <winspool.h>

#include <string>

#include "support/dialog_driver_win32.h"
#include "support/temp_tree_win32.h"

namespace tarvex {
namespace {

using namespace std::string_literals;
using testing::DialogDriver;

// Types a name into a file dialog's name box, then presses OK.
auto ChooseName(const std::string& path) {
  return [path](HWND dialog) {
    DialogDriver::Type(dialog, cmb13, path);
    DialogDriver::Type(dialog, edt1, path);
    DialogDriver::Press(dialog, IDOK);
  };
}
void Cancel(HWND dialog) { DialogDriver::Press(dialog, IDCANCEL); }
void Confirm(HWND dialog) { DialogDriver::Press(dialog, IDOK); }

TEST(CommonDialog, OpenGivesTheChosenFileOrNothing) {
  testing::TempTree tree("open");
  std::string file = tree.Write("sample.txt", "data");
  cCommonDialog dialog;
  for (bool confirm : {true, false}) {
    std::string Filename, FileTitle, Filter = "All (*.*)| *.*";
    bool ReadOnly = false;
    std::int32_t FilterIndex = 1, flags = 0;
    DialogDriver driver(confirm ? std::function<void(HWND)>(ChooseName(file)) : Cancel);
    EXPECT_EQ(dialog.VBGetOpenFileName(Filename, FileTitle, true, false, ReadOnly, false, Filter, FilterIndex, "", "",
                                       "", kNoOwner, flags),
              confirm);
    EXPECT_TRUE(driver.Acted());
    EXPECT_EQ(dialog.APIReturn(), confirm ? 1 : 0);
    EXPECT_EQ(dialog.ExtendedError(), 0);
    EXPECT_EQ(Filename, confirm ? file : "");
    EXPECT_EQ(FileTitle, confirm ? "sample.txt" : "");
    EXPECT_EQ(Filter, confirm ? "All (*.*)\0 *.*"s : "");
    EXPECT_EQ(FilterIndex, confirm ? 1 : -1);
    EXPECT_EQ(flags & 0x1000, confirm ? 0x1000 : 0) << "the flags the dialog was shown with, or none";
  }
}

TEST(CommonDialog, SaveGivesTheNameTypedOrNothing) {
  testing::TempTree tree("save");
  std::string file = tree.Root() + "\\new.txt";
  cCommonDialog dialog;
  for (bool confirm : {true, false}) {
    std::string Filename, FileTitle, Filter = "Text|*.txt";
    std::int32_t FilterIndex = 1, flags = 0;
    DialogDriver driver(confirm ? std::function<void(HWND)>(ChooseName(file)) : Cancel);
    bool ok = dialog.VBGetSaveFileName(Filename, FileTitle, true, Filter, FilterIndex, "", "Simpan", "txt", kNoOwner,
                                       flags);
    EXPECT_EQ(ok, confirm);
    EXPECT_EQ(Filename, confirm ? file : "");
    EXPECT_EQ(Filter, confirm ? "Text\0*.txt"s : "");
    EXPECT_EQ(FilterIndex, confirm ? 1 : -1);
  }
}

TEST(CommonDialog, ColourIsTheOneChosenOrMinusOne) {
  cCommonDialog dialog;
  EXPECT_EQ(dialog.CustomColor(3), static_cast<std::int32_t>(GetSysColor(3)));
  EXPECT_EQ(dialog.CustomColor(16), -1);
  dialog.CustomColor(16, 5);  // ignored
  dialog.CustomColor(0, RGB(1, 2, 3));
  EXPECT_EQ(dialog.CustomColor(0), static_cast<std::int32_t>(RGB(1, 2, 3)));

  for (bool confirm : {true, false}) {
    std::int32_t colour = RGB(10, 20, 30), flags = 0;
    DialogDriver driver(confirm ? Confirm : Cancel);
    EXPECT_EQ(dialog.VBChooseColor(colour, true, true, false, kNoOwner, flags), confirm);
    EXPECT_EQ(colour, confirm ? static_cast<std::int32_t>(RGB(10, 20, 30)) : -1);
  }
  EXPECT_EQ(dialog.CustomColor(0), static_cast<std::int32_t>(RGB(1, 2, 3))) << "custom colours survive the dialog";
}

TEST(CommonDialog, FontIsTheOneChosenOrLeftAsItWas) {
  cCommonDialog dialog;
  // A face the dialog offers on this system, read from its list first.
  std::string face;
  {
    FontChoice probe;
    std::int32_t colour = 0, flags = 0;
    DialogDriver driver([&face](HWND d) {
      char name[LF_FACESIZE] = {};
      SendDlgItemMessageA(d, cmb1, CB_GETLBTEXT, SendDlgItemMessageA(d, cmb1, CB_GETCOUNT, 0, 0) - 1,
                          reinterpret_cast<LPARAM>(name));
      face = name;
      Cancel(d);
    });
    dialog.VBChooseFont(probe, 0, kNoOwner, colour, 0, 0, flags);
  }
  ASSERT_FALSE(face.empty());

  for (bool confirm : {true, false}) {
    FontChoice font;
    font.Name = face;
    font.Size = 12;
    font.Bold = true;
    std::int32_t colour = RGB(0, 0, 128), flags = 0;
    DialogDriver driver(confirm ? Confirm : Cancel);
    EXPECT_EQ(dialog.VBChooseFont(font, 0, kNoOwner, colour, 6, 72, flags), confirm);
    EXPECT_EQ(font.Name, face);
    EXPECT_EQ(font.Size, 12);
    EXPECT_TRUE(font.Bold);
    EXPECT_FALSE(font.Italic);
    EXPECT_EQ(colour, static_cast<std::int32_t>(RGB(0, 0, 128)));
    EXPECT_EQ(dialog.APIReturn(), confirm ? 1 : 0);
  }
}

// A PostScript printer that prints to a file, installed once in the test's
// own wine prefix: the print and page setup dialogs need one.
constexpr char kPrinter[] = "Tarvex Test Printer";
bool InstallTestPrinter() {
  static const bool installed = [] {
    const char ppd[] =
        "*PPD-Adobe: \"4.3\"\r\n*FormatVersion: \"4.3\"\r\n*FileVersion: \"1.0\"\r\n"
        "*LanguageVersion: English\r\n*LanguageEncoding: ISOLatin1\r\n*PCFileName: \"TARVEX.PPD\"\r\n"
        "*Manufacturer: \"Tarvex\"\r\n*Product: \"(Tarvex Test Printer)\"\r\n*PSVersion: \"(3010) 0\"\r\n"
        "*ModelName: \"Tarvex Test Printer\"\r\n*ShortNickName: \"Tarvex Test Printer\"\r\n"
        "*NickName: \"Tarvex Test Printer\"\r\n*ColorDevice: True\r\n*DefaultColorSpace: RGB\r\n"
        "*LanguageLevel: \"3\"\r\n*TTRasterizer: Type42\r\n*DefaultResolution: 300dpi\r\n"
        "*OpenUI *PageSize: PickOne\r\n*DefaultPageSize: A4\r\n"
        "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\r\n*CloseUI: *PageSize\r\n"
        "*DefaultImageableArea: A4\r\n*ImageableArea A4/A4: \"18 18 577 824\"\r\n"
        "*DefaultPaperDimension: A4\r\n*PaperDimension A4/A4: \"595 842\"\r\n";
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed);
    std::string ppdPath = std::string(dir) + "\\tarvex.ppd";
    HANDLE file = CreateFileA(ppdPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, ppd, sizeof ppd - 1, &written, nullptr);
    CloseHandle(file);
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>("Tarvex Test PostScript");
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    driver.pDataFile = ppdPath.data();
    driver.pDefaultDataType = const_cast<char*>("RAW");
    AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));
    PRINTER_INFO_2A printer = {};
    printer.pPrinterName = const_cast<char*>(kPrinter);
    printer.pPortName = const_cast<char*>("FILE:");
    printer.pDriverName = driver.pName;
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    if (HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer))) ClosePrinter(h);
    return SetDefaultPrinterA(kPrinter) != FALSE;
  }();
  return installed;
}

TEST(CommonDialog, PrintGivesTheChosenPrinterAndItsSettingsOrNothing) {
  ASSERT_TRUE(InstallTestPrinter());
  cCommonDialog dialog;
  for (bool confirm : {true, false}) {
    std::intptr_t hdc = 0;
    std::int32_t range = kPrintAll, from = 1, to = 1, copies = 2, flags = 0;
    bool toFile = false, collate = false;
    PrinterSettings printer;
    DialogDriver driver(confirm ? Confirm : Cancel);
    bool ok = dialog.VBPrintDlg(hdc, range, false, from, to, false, copies, true, false, toFile, collate, false,
                                kNoOwner, printer, flags);
    EXPECT_EQ(ok, confirm);
    EXPECT_EQ(dialog.APIReturn(), confirm ? 1 : 0);
    EXPECT_EQ(hdc != 0, confirm);
    if (hdc) DeleteDC(reinterpret_cast<HDC>(hdc));
    EXPECT_EQ(printer.DeviceName, confirm ? kPrinter : "");
    EXPECT_EQ(copies, 2);
    EXPECT_EQ(printer.Copies, confirm ? 2 : 0);
    EXPECT_EQ(printer.PaperSize, confirm ? DMPAPER_A4 : 0);
    EXPECT_EQ(printer.Orientation, confirm ? DMORIENT_PORTRAIT : 0);
    EXPECT_EQ(range, kPrintAll);
  }
}

TEST(CommonDialog, PageSetupGivesMarginsAndPaperOrLeavesThem) {
  ASSERT_TRUE(InstallTestPrinter());
  cCommonDialog dialog;
  for (bool confirm : {true, false}) {
    PrinterSettings printer;
    printer.DeviceName = kPrinter;
    printer.Orientation = DMORIENT_LANDSCAPE;  // the dialog starts from these settings
    std::int32_t left = 1000, right = 750, top = 500, bottom = 1250, flags = 0;
    DialogDriver driver(confirm ? Confirm : Cancel);
    bool ok = dialog.VBPageSetupDlg(kNoOwner, false, false, false, false, left, 250, right, 250, top, 250, bottom,
                                    250, printer, flags);
    EXPECT_EQ(ok, confirm);
    EXPECT_EQ(left + right + top + bottom, 3500);
    // A4 on its side, in thousandths of an inch.
    EXPECT_EQ(printer.PaperWidth, confirm ? 11692 : 0);
    EXPECT_EQ(printer.PaperHeight, confirm ? 8263 : 0);
    EXPECT_EQ(printer.Orientation, DMORIENT_LANDSCAPE);
  }
}

TEST(CommonDialog, FolderIsTheOneChosenOrEmpty) {
  // A folder that has been there since the prefix was made: wine's browser
  // does not always see a folder made a moment before.
  char temp[MAX_PATH] = {};
  GetLongPathNameA(std::string(temp, GetTempPathA(MAX_PATH, temp)).c_str(), temp, MAX_PATH);
  std::string start(temp);
  if (start.size() > 3 && start.back() == '\\') start.pop_back();
  cCommonDialog dialog;
  for (bool confirm : {true, false}) {
    std::string folder = start;
    DialogDriver driver(confirm ? Confirm : Cancel);
    EXPECT_EQ(dialog.VBBrowseForFolder(folder, "Pilih folder", kNoOwner), confirm);
    EXPECT_EQ(folder, confirm ? start : "");
    EXPECT_EQ(dialog.APIReturn(), confirm ? 1 : 0);
  }
}

TEST(CommonDialog, FileTitleIsTheNameTheShellShows) {
  testing::TempTree tree("title");
  cCommonDialog dialog;
  std::string title = dialog.VBGetFileTitle(tree.Write("report.txt", "x"));
  EXPECT_TRUE(title == "report.txt" || title == "report") << title;
}

}  // namespace
}  // namespace tarvex
