#include "widgets/common_dialog.h"

#include <windows.h>

#include <commdlg.h>
#include <winspool.h>

#include <cmath>
#include <cstddef>
#include <optional>

#include "base/paint_objects_win32.h"
#include "base/wide_text_win32.h"
#include "system/shell.h"
#include "widgets/file_dialog_rules.h"

namespace tarvex {

namespace {

// The file dialog record of the classic layout: 76 bytes in the 32-bit
// program, without the fields that later systems appended.
constexpr DWORD kFileRecordSize = offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR);
#ifndef _WIN64
static_assert(kFileRecordSize == 76, "the classic file dialog record");
#endif

HWND OwnerWindow(std::intptr_t owner) { return owner == kNoOwner ? nullptr : reinterpret_cast<HWND>(owner); }

// A file buffer of exactly kBufferChars characters; UTF-8 text can widen to
// fewer characters than bytes, never to more.
std::wstring WideBuffer(const std::string& text) {
  std::wstring w = ui::WideFromUtf8(filedlg::UpToNul(text));
  w.resize(filedlg::kBufferChars - 1);
  w.resize(filedlg::kBufferChars, L'\0');
  return w;
}

std::string NarrowBuffer(const std::wstring& buffer) { return ui::Utf8FromWide(buffer.substr(0, buffer.find(L'\0'))); }

// Shows the open or save dialog with `showFlags` and gives the caller's
// arguments what the dialog reported.
filedlg::Outcome RunFileDialog(bool save, std::string& Filename, std::string& FileTitle, std::string& Filter,
                               std::int32_t& FilterIndex, const std::string& initDir, const std::string& dlgTitle,
                               const std::string& defaultExt, std::intptr_t owner, std::int32_t showFlags,
                               std::int32_t& flags, int& apiReturn) {
  const std::string builtFilter = filedlg::BuildFilter(Filter);
  std::wstring filter = ui::WideFromUtf8(builtFilter);  // NULs survive the conversion
  std::wstring file = WideBuffer(Filename);
  std::wstring title = WideBuffer(FileTitle);
  std::wstring dir = ui::WideFromUtf8(initDir), caption = ui::WideFromUtf8(dlgTitle), ext = ui::WideFromUtf8(defaultExt);

  OPENFILENAMEW record = {};
  record.lStructSize = kFileRecordSize;
  record.hwndOwner = OwnerWindow(owner);
  record.hInstance = GetModuleHandleW(nullptr);
  record.lpstrFilter = filter.c_str();
  record.nFilterIndex = static_cast<DWORD>(FilterIndex);
  record.lpstrFile = file.data();
  record.nMaxFile = static_cast<DWORD>(file.size());
  record.lpstrFileTitle = title.data();
  record.nMaxFileTitle = static_cast<DWORD>(title.size());
  record.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  record.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  record.Flags = static_cast<DWORD>(showFlags);
  record.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();

  apiReturn = save ? GetSaveFileNameW(&record) : GetOpenFileNameW(&record);
  filedlg::Outcome out = filedlg::Interpret({apiReturn, NarrowBuffer(file), NarrowBuffer(title),
                                             static_cast<std::int32_t>(record.Flags),
                                             static_cast<std::int32_t>(record.nFilterIndex)},
                                            builtFilter);
  Filename = out.Filename;
  FileTitle = out.FileTitle;
  Filter = out.Filter;
  FilterIndex = out.FilterIndex;
  flags = out.flags;
  return out;
}

// The printer's own settings block with the caller's settings merged in, for
// the print and page setup dialogs to start from; nullptr when the settings
// name no printer or the printer is not there.
HGLOBAL DeviceModeFrom(const PrinterSettings& printer) {
  if (printer.DeviceName.empty()) return nullptr;
  std::wstring device = ui::WideFromUtf8(printer.DeviceName);
  HANDLE handle = nullptr;
  if (!OpenPrinterW(device.data(), &handle, nullptr)) return nullptr;
  HGLOBAL block = nullptr;
  LONG size = DocumentPropertiesW(nullptr, handle, device.data(), nullptr, nullptr, 0);
  if (size > 0) block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
  if (block) {
    auto* mode = static_cast<DEVMODEW*>(GlobalLock(block));
    bool ok = DocumentPropertiesW(nullptr, handle, device.data(), mode, nullptr, DM_OUT_BUFFER) == IDOK;
    auto set = [&](int value, DWORD field, short& slot) {
      if (value == 0) return;
      slot = static_cast<short>(value);
      mode->dmFields |= field;
    };
    if (ok) {
      set(printer.Copies, DM_COPIES, mode->dmCopies);
      set(printer.Orientation, DM_ORIENTATION, mode->dmOrientation);
      set(printer.PaperSize, DM_PAPERSIZE, mode->dmPaperSize);
      set(printer.PrintQuality, DM_PRINTQUALITY, mode->dmPrintQuality);
      ok = DocumentPropertiesW(nullptr, handle, device.data(), mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER) == IDOK;
    }
    GlobalUnlock(block);
    if (!ok) block = GlobalFree(block);
  }
  ClosePrinter(handle);
  return block;
}

void CopyDeviceMode(HGLOBAL block, PrinterSettings& printer) {
  if (!block) return;
  const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(block));
  if (!mode) return;
  printer.DeviceName = ui::Utf8FromWide(std::wstring(mode->dmDeviceName, wcsnlen(mode->dmDeviceName, CCHDEVICENAME)));
  if (mode->dmFields & DM_COPIES) printer.Copies = mode->dmCopies;
  if (mode->dmFields & DM_ORIENTATION) printer.Orientation = mode->dmOrientation;
  if (mode->dmFields & DM_PAPERSIZE) printer.PaperSize = mode->dmPaperSize;
  if (mode->dmFields & DM_PRINTQUALITY) printer.PrintQuality = mode->dmPrintQuality;
  GlobalUnlock(block);
}

void FreeBlocks(HGLOBAL devMode, HGLOBAL devNames) {
  if (devMode) GlobalFree(devMode);
  if (devNames) GlobalFree(devNames);
}

constexpr DWORD kPrintHookBits =
    PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK | PD_ENABLEPRINTTEMPLATE | PD_ENABLESETUPTEMPLATE |
    PD_ENABLEPRINTTEMPLATEHANDLE | PD_ENABLESETUPTEMPLATEHANDLE;

DWORD With(DWORD flags, bool on, DWORD bit) { return on ? flags | bit : flags; }

}  // namespace

void cCommonDialog::Begin() {
  apiReturn_ = 0;
  extendedError_ = 0;
}

void cCommonDialog::End(int apiReturn) {
  apiReturn_ = apiReturn;
  if (apiReturn != 1) extendedError_ = static_cast<std::int32_t>(CommDlgExtendedError());
}

bool cCommonDialog::VBGetOpenFileName(std::string& Filename, std::string& FileTitle, bool FileMustExist,
                                      bool MultiSelect, bool& ReadOnly, bool HideReadOnly, std::string& Filter,
                                      std::int32_t& FilterIndex, const std::string& InitDir,
                                      const std::string& DlgTitle, const std::string& DefaultExt,
                                      std::intptr_t Owner, std::int32_t& flags) {
  Begin();
  int ret = 0;
  filedlg::Outcome out =
      RunFileDialog(false, Filename, FileTitle, Filter, FilterIndex, InitDir, DlgTitle, DefaultExt, Owner,
                    filedlg::OpenFlags(flags, FileMustExist, MultiSelect, ReadOnly, HideReadOnly), flags, ret);
  End(ret);
  if (out.readOnlyTicked) ReadOnly = true;
  return out.confirmed;
}

bool cCommonDialog::VBGetOpenFileName(OpenFileRequest& r, std::intptr_t Owner) {
  return VBGetOpenFileName(r.Filename, r.FileTitle, r.FileMustExist, r.MultiSelect, r.ReadOnly, r.HideReadOnly,
                           r.Filter, r.FilterIndex, r.InitDir, r.DlgTitle, r.DefaultExt, Owner, r.flags);
}

bool cCommonDialog::VBGetSaveFileName(std::string& Filename, std::string& FileTitle, bool OverWritePrompt,
                                      std::string& Filter, std::int32_t& FilterIndex, const std::string& InitDir,
                                      const std::string& DlgTitle, const std::string& DefaultExt,
                                      std::intptr_t Owner, std::int32_t& flags) {
  Begin();
  int ret = 0;
  filedlg::Outcome out = RunFileDialog(true, Filename, FileTitle, Filter, FilterIndex, InitDir, DlgTitle, DefaultExt,
                                       Owner, filedlg::SaveFlags(flags, OverWritePrompt), flags, ret);
  End(ret);
  return out.confirmed;
}

std::string cCommonDialog::VBGetFileTitle(const std::string& sFile) {
  wchar_t title[MAX_PATH] = {};
  if (GetFileTitleW(ui::WideFromUtf8(sFile).c_str(), title, MAX_PATH) != 0) return "";
  return ui::Utf8FromWide(title);
}

void cCommonDialog::FillCustomColours() {
  if (customColoursFilled_) return;
  for (int i = 0; i < 16; ++i) customColours_[static_cast<std::size_t>(i)] = GetSysColor(i);
  customColoursFilled_ = true;
}

std::int32_t cCommonDialog::CustomColor(int index) {
  if (index < 0 || index > 15) return -1;
  FillCustomColours();
  return static_cast<std::int32_t>(customColours_[static_cast<std::size_t>(index)]);
}

void cCommonDialog::CustomColor(int index, std::int32_t iValue) {
  if (index < 0 || index > 15) return;
  FillCustomColours();
  customColours_[static_cast<std::size_t>(index)] = static_cast<std::uint32_t>(iValue);
}

bool cCommonDialog::VBChooseColor(std::int32_t& Color, bool AnyColor, bool FullOpen, bool DisableFullOpen,
                                  std::intptr_t Owner, std::int32_t& flags) {
  Begin();
  FillCustomColours();
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) custom[i] = customColours_[static_cast<std::size_t>(i)];
  CHOOSECOLORW cc = {};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = OwnerWindow(Owner);
  cc.rgbResult = static_cast<COLORREF>(Color);
  cc.lpCustColors = custom;
  DWORD f = static_cast<DWORD>(flags) & ~static_cast<DWORD>(CC_ENABLEHOOK | CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE);
  f |= CC_RGBINIT;
  f = With(f, AnyColor, CC_ANYCOLOR);
  f = With(f, FullOpen, CC_FULLOPEN);
  f = With(f, DisableFullOpen, CC_PREVENTFULLOPEN);
  cc.Flags = f;
  int ret = ChooseColorW(&cc);
  End(ret);
  for (int i = 0; i < 16; ++i) customColours_[static_cast<std::size_t>(i)] = custom[i];
  if (ret != 1) {
    Color = -1;
    flags = 0;
    return false;
  }
  Color = static_cast<std::int32_t>(cc.rgbResult);
  flags = static_cast<std::int32_t>(cc.Flags);
  return true;
}

bool cCommonDialog::VBChooseFont(FontChoice& CurFont, std::intptr_t PrinterDC, std::intptr_t Owner,
                                 std::int32_t& Color, std::int32_t MinSize, std::int32_t MaxSize,
                                 std::int32_t& flags) {
  Begin();
  const int dpi = ui::ScreenDpi();
  LOGFONTW font = {};
  font.lfHeight = -static_cast<LONG>(std::lround(CurFont.Size * dpi / 72.0));
  font.lfWeight = CurFont.Bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = CurFont.Italic;
  font.lfUnderline = CurFont.Underline;
  font.lfStrikeOut = CurFont.Strikethrough;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(font.lfFaceName, ui::WideFromUtf8(CurFont.Name).c_str(), LF_FACESIZE);

  CHOOSEFONTW cf = {};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = OwnerWindow(Owner);
  cf.hDC = reinterpret_cast<HDC>(PrinterDC);
  cf.lpLogFont = &font;
  cf.rgbColors = static_cast<COLORREF>(Color);
  DWORD f = static_cast<DWORD>(flags) & ~static_cast<DWORD>(CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_ENABLETEMPLATEHANDLE);
  f |= CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | (PrinterDC ? CF_BOTH : CF_SCREENFONTS);
  if (MinSize > 0 || MaxSize > 0) {
    f |= CF_LIMITSIZE;
    cf.nSizeMin = MinSize > 0 ? MinSize : 1;
    cf.nSizeMax = MaxSize > 0 ? MaxSize : 0x7FFF;
  }
  cf.Flags = f;
  int ret = ChooseFontW(&cf);
  End(ret);
  if (ret != 1) {
    flags = 0;
    return false;
  }
  CurFont.Name = ui::Utf8FromWide(font.lfFaceName);
  CurFont.Size = cf.iPointSize / 10.0;
  CurFont.Bold = font.lfWeight >= FW_SEMIBOLD;
  CurFont.Italic = font.lfItalic != 0;
  CurFont.Underline = font.lfUnderline != 0;
  CurFont.Strikethrough = font.lfStrikeOut != 0;
  Color = static_cast<std::int32_t>(cf.rgbColors);
  flags = static_cast<std::int32_t>(cf.Flags);
  return true;
}

bool cCommonDialog::VBPrintDlg(std::intptr_t& hdc, std::int32_t& PrintRange, bool DisablePageNumbers,
                               std::int32_t& FromPage, std::int32_t& ToPage, bool DisableSelection,
                               std::int32_t& Copies, bool ShowPrintToFile, bool DisablePrintToFile, bool& PrintToFile,
                               bool& Collate, bool PreventWarning, std::intptr_t Owner, PrinterSettings& Printer,
                               std::int32_t& flags) {
  Begin();
  PRINTDLGW pd = {};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = OwnerWindow(Owner);
  pd.hDevMode = DeviceModeFrom(Printer);
  DWORD f = (static_cast<DWORD>(flags) & ~kPrintHookBits) | PD_RETURNDC;
  if (PrintRange == kPrintSelection) f |= PD_SELECTION;
  if (PrintRange == kPrintPages) f |= PD_PAGENUMS;
  f = With(f, DisablePageNumbers, PD_NOPAGENUMS);
  f = With(f, DisableSelection, PD_NOSELECTION);
  f = With(f, !ShowPrintToFile, PD_HIDEPRINTTOFILE);
  f = With(f, DisablePrintToFile, PD_DISABLEPRINTTOFILE);
  f = With(f, PrintToFile, PD_PRINTTOFILE);
  f = With(f, Collate, PD_COLLATE);
  f = With(f, PreventWarning, PD_NOWARNING);
  pd.Flags = f;
  pd.nMinPage = 1;
  pd.nMaxPage = 0xFFFF;
  pd.nFromPage = static_cast<WORD>(FromPage > 0 ? FromPage : 1);
  pd.nToPage = static_cast<WORD>(ToPage >= FromPage && ToPage > 0 ? ToPage : pd.nFromPage);
  pd.nCopies = static_cast<WORD>(Copies > 0 ? Copies : 1);
  int ret = PrintDlgW(&pd);
  End(ret);
  if (ret == 1) {
    hdc = reinterpret_cast<std::intptr_t>(pd.hDC);
    PrintRange = (pd.Flags & PD_SELECTION) ? kPrintSelection : (pd.Flags & PD_PAGENUMS) ? kPrintPages : kPrintAll;
    FromPage = pd.nFromPage;
    ToPage = pd.nToPage;
    PrintToFile = (pd.Flags & PD_PRINTTOFILE) != 0;
    Collate = (pd.Flags & PD_COLLATE) != 0;
    CopyDeviceMode(pd.hDevMode, Printer);
    // The copies are in the record unless the caller asked for the printer's.
    if (!(pd.Flags & PD_USEDEVMODECOPIESANDCOLLATE) || Printer.Copies <= 0) Printer.Copies = pd.nCopies;
    Copies = Printer.Copies;
    flags = static_cast<std::int32_t>(pd.Flags);
  } else {
    hdc = 0;
    flags = 0;
  }
  FreeBlocks(pd.hDevMode, pd.hDevNames);
  return ret == 1;
}

bool cCommonDialog::VBPageSetupDlg(std::intptr_t Owner, bool DisableMargins, bool DisableOrientation,
                                   bool DisablePaper, bool DisablePrinter, std::int32_t& LeftMargin,
                                   std::int32_t MinLeftMargin, std::int32_t& RightMargin, std::int32_t MinRightMargin,
                                   std::int32_t& TopMargin, std::int32_t MinTopMargin, std::int32_t& BottomMargin,
                                   std::int32_t MinBottomMargin, PrinterSettings& Printer, std::int32_t& flags) {
  Begin();
  PAGESETUPDLGW ps = {};
  ps.lStructSize = sizeof ps;
  ps.hwndOwner = OwnerWindow(Owner);
  ps.hDevMode = DeviceModeFrom(Printer);
  DWORD f = static_cast<DWORD>(flags) & ~static_cast<DWORD>(PSD_ENABLEPAGESETUPHOOK | PSD_ENABLEPAGEPAINTHOOK |
                                                             PSD_ENABLEPAGESETUPTEMPLATE |
                                                             PSD_ENABLEPAGESETUPTEMPLATEHANDLE);
  f |= PSD_MARGINS | PSD_MINMARGINS | PSD_INTHOUSANDTHSOFINCHES;
  f = With(f, DisableMargins, PSD_DISABLEMARGINS);
  f = With(f, DisableOrientation, PSD_DISABLEORIENTATION);
  f = With(f, DisablePaper, PSD_DISABLEPAPER);
  f = With(f, DisablePrinter, PSD_DISABLEPRINTER);
  ps.Flags = f;
  ps.rtMargin = {LeftMargin, TopMargin, RightMargin, BottomMargin};
  ps.rtMinMargin = {MinLeftMargin, MinTopMargin, MinRightMargin, MinBottomMargin};
  int ret = PageSetupDlgW(&ps);
  End(ret);
  if (ret == 1) {
    LeftMargin = ps.rtMargin.left;
    TopMargin = ps.rtMargin.top;
    RightMargin = ps.rtMargin.right;
    BottomMargin = ps.rtMargin.bottom;
    CopyDeviceMode(ps.hDevMode, Printer);
    Printer.PaperWidth = ps.ptPaperSize.x;
    Printer.PaperHeight = ps.ptPaperSize.y;
    flags = static_cast<std::int32_t>(ps.Flags);
  } else {
    flags = 0;
  }
  FreeBlocks(ps.hDevMode, ps.hDevNames);
  return ret == 1;
}

bool cCommonDialog::VBBrowseForFolder(std::string& Folder, const std::string& DlgTitle, std::intptr_t Owner) {
  Begin();
  std::optional<std::string> chosen = sys::BrowseForFolder(OwnerWindow(Owner), DlgTitle, Folder);
  apiReturn_ = chosen ? 1 : 0;
  Folder = chosen.value_or("");
  return chosen.has_value();
}

}  // namespace tarvex
