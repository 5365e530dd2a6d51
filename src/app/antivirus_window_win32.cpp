#include "app/antivirus_window_win32.h"

#include <commctrl.h>

#include "app/antivirus_ids.h"
#include "app/decoration_win32.h"
#include "system/shell.h"
#include "ui/wide_text_win32.h"

namespace tarvex {

namespace {

constexpr char kClassName[] = "TarvexAntivirus";
constexpr int kClientWidth = 730;
constexpr int kClientHeight = 412;
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kLabelGreen = RGB(0, 255, 0);
constexpr COLORREF kCountRed = RGB(255, 0, 0);
constexpr COLORREF kLineGreen = RGB(0, 128, 0);
constexpr COLORREF kHoverRed = RGB(192, 0, 0);

struct ButtonLayout {
  Ctl control;
  int id;
  int y;
};

constexpr ButtonLayout kButtonLayout[] = {
    {Ctl::cmdScan, ids::cmdScan, 184},     {Ctl::cmdHapus, ids::cmdHapus, 216}, {Ctl::cmdKarantina, ids::cmdKarantina, 248},
    {Ctl::cmdMenu, ids::cmdMenu, 280},     {Ctl::cmdKeluar, ids::cmdKeluar, 312}, {Ctl::cmdUpdate, ids::cmdUpdate, 344},
};

int ButtonSlot(Ctl c) { return static_cast<int>(c) - static_cast<int>(Ctl::cmdScan); }

int LabelId(Ctl c) {
  switch (c) {
    case Ctl::status: return ids::status;
    case Ctl::lblFileDiperiksa: return ids::lblFileDiperiksa;
    case Ctl::lblTotalFile: return ids::lblTotalFile;
    case Ctl::lblJumlahVirus: return ids::lblJumlahVirus;
    case Ctl::lblPercentComplete: return ids::lblPercentComplete;
    case Ctl::Label1: return ids::Label1;
    default: return 0;
  }
}

// Font heights in points, as the form designer gives them (8.25 pt is the
// classic "8 pt" of a 96-dpi screen).
HFONT MakeFont(const char* face, int hundredthsOfPoint, bool bold) {
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(hundredthsOfPoint, GetDeviceCaps(screen, LOGPIXELSY), 7200);
  ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND MakeChild(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y, int w, int h,
               DWORD exStyle = 0) {
  return CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

bool RegisterOnce() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;  // replaced per window in Create
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(101));
  wc.hIconSm = static_cast<HICON>(LoadImageA(wc.hInstance, MAKEINTRESOURCEA(101), IMAGE_ICON, 16, 16, 0));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.lpszClassName = kClassName;
  registered = RegisterClassExA(&wc) != 0;
  return registered;
}

}  // namespace

AntivirusWindow::AntivirusWindow(AntivirusServices services) {
  if (!services.browseFolder)
    services.browseFolder = [this] { return sys::BrowseForFolder(hwnd_, "Pilih lokasi yang akan di periksa."); };
  if (!services.yield) services.yield = [this] { sys::PumpPendingMessages(hwnd_); };
  if (!services.beep) services.beep = [] { sys::Beep(); };
  if (!services.endProgram) services.endProgram = [] { ExitProcess(0); };
  state_ = std::make_unique<Antivirus>(std::move(services));
  state_->SetObserver(this);
  background_ = CreateSolidBrush(kNavy);
  tahoma_ = MakeFont("Tahoma", 825, false);
  arial_ = MakeFont("Arial", 900, false);
  tahomaBold_ = MakeFont("Tahoma", 900, true);
}

AntivirusWindow::~AntivirusWindow() {
  state_->SetObserver(nullptr);
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
  if (mnu_) DestroyMenu(mnu_);
  DeleteObject(background_);
  DeleteObject(tahoma_);
  DeleteObject(arial_);
  DeleteObject(tahomaBold_);
}

bool AntivirusWindow::Create(int showCommand) {
  if (!RegisterOnce()) return false;
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int x = work.left + (work.right - work.left - kClientWidth) / 2;
  int y = work.top + (work.bottom - work.top - kClientHeight) / 2;
  // No border and no title bar: the window can be neither moved nor resized.
  hwnd_ = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kClassName, "Tarvex Antivirus",
                          WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX, x, y, kClientWidth, kClientHeight,
                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AntivirusWindow::Proc));
  CreateControls();
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
  return true;
}

void AntivirusWindow::CreateLabel(int id, int x, int y, int w, int h, const char* text, HFONT font) {
  HWND label = MakeChild(hwnd_, "STATIC", text, SS_LEFTNOWORDWRAP | SS_NOPREFIX, id, x, y, w, h);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void AntivirusWindow::CreateControls() {
  // The separator before the banner, so that it stays on top where they overlap.
  MakeChild(hwnd_, "STATIC", "", SS_OWNERDRAW, ids::Line1, 0, 104, 665, 1);
  MakeChild(hwnd_, "STATIC", "Tarvex Antivirus", SS_OWNERDRAW | WS_CLIPSIBLINGS, ids::Image1, 0, 0, 729, 107);

  CreateLabel(ids::jumlah_file, 24, 120, 73, 17, "File Diperiksa ", tahoma_);
  CreateLabel(ids::Label2, 112, 120, 9, 17, ":", arial_);
  CreateLabel(ids::lblFileDiperiksa, 128, 120, 57, 17, "0", tahoma_);
  CreateLabel(ids::persen, 24, 136, 65, 17, "Total File  ", tahoma_);
  CreateLabel(ids::Label4, 112, 136, 9, 17, ":", arial_);
  CreateLabel(ids::lblTotalFile, 128, 136, 57, 17, "0", tahoma_);
  CreateLabel(ids::Virus_Ditemukan, 24, 152, 81, 17, "Virus Ditemukan ", tahoma_);
  CreateLabel(ids::Label3, 112, 152, 9, 17, ":", arial_);
  CreateLabel(ids::lblJumlahVirus, 128, 152, 57, 17, "0", tahoma_);
  CreateLabel(ids::status, 224, 120, 497, 25, "", tahoma_);
  CreateLabel(ids::lblPercentComplete, 472, 144, 169, 17, "0 % Complete...", tahoma_);

  HWND bar = MakeChild(hwnd_, PROGRESS_CLASSA, "", 0, ids::ProgressBar1, 192, 160, 465, 17);
  SendMessageA(bar, PBM_SETRANGE32, 0, 100);
  SendMessageA(bar, PBM_SETPOS, 0, 0);

  CreateResultList();
  CreateButtons();

  CreateLabel(ids::Label1, 24, 356, 121, 17, "Elapsed : 00:00:00", tahomaBold_);
  MakeChild(hwnd_, "STATIC", "Tarvex Project", SS_OWNERDRAW, ids::Image2, 248, 344, 211, 61);

  mnu_ = CreatePopupMenu();
  AppendMenuA(mnu_, MF_STRING, ids::mnuTemp, "Temp Database");
  AppendMenuA(mnu_, MF_STRING, ids::mnuTool, "External Tool");
  AppendMenuA(mnu_, MF_STRING, ids::mnuViewSigna, "View Signature");
  AppendMenuA(mnu_, MF_STRING, ids::mnuAbout, "About");
}

void AntivirusWindow::CreateResultList() {
  HWND list = MakeChild(hwnd_, WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, ids::ListView1, 8, 184,
                        609, 153, WS_EX_CLIENTEDGE);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  struct Column {
    const char* header;
    int width;
    int format;
  };
  const Column columns[] = {{" ", 0, LVCFMT_LEFT},
                            {"Nama Virus ", 120, LVCFMT_LEFT},
                            {"Lokasi :", 247, LVCFMT_LEFT},
                            {"Ukuran (byte)", 110, LVCFMT_RIGHT},
                            {"Keterangan", 110, LVCFMT_LEFT}};
  for (int i = 0; i < 5; ++i) {
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    col.fmt = columns[i].format;
    col.cx = columns[i].width;
    col.pszText = const_cast<char*>(columns[i].header);
    col.iSubItem = i;
    SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&col));
  }
}

void AntivirusWindow::CreateButtons() {
  for (const ButtonLayout& b : kButtonLayout) {
    XPButton& button = buttons_[ButtonSlot(b.control)];
    RECT r = {632, b.y, 632 + 89, b.y + 25};
    button.Create(hwnd_, b.id, r, state_->Text(b.control), tahomaBold_);
    button.SetToolTipText(state_->Tooltip(b.control));
    button.SetForeColor(GetSysColor(COLOR_WINDOWFRAME));
    button.SetForeHover(b.control == Ctl::cmdUpdate ? RGB(0, 0, 0) : kHoverRed);
  }
  Button(Ctl::cmdScan).Click = [this] { state_->cmdScan_Click(); };
  Button(Ctl::cmdKeluar).Click = [this] { state_->cmdKeluar_Click(); };
  Button(Ctl::cmdMenu).Click = [this] { ShowMenu(); };
}

XPButton& AntivirusWindow::Button(Ctl c) { return buttons_[ButtonSlot(c)]; }

HWND AntivirusWindow::ControlWindow(Ctl c) const {
  if (IsButton(c)) return buttons_[ButtonSlot(c)].Handle();
  return GetDlgItem(hwnd_, LabelId(c));
}

void AntivirusWindow::ShowMenu() {
  POINT at;
  GetCursorPos(&at);
  TrackPopupMenu(mnu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
}

void AntivirusWindow::ControlChanged(Ctl c) {
  if (!hwnd_) return;
  if (IsButton(c)) {
    XPButton& b = Button(c);
    if (b.Caption() != state_->Text(c)) b.SetCaption(state_->Text(c));
    if (b.Enabled() != state_->Enabled(c)) b.SetEnabled(state_->Enabled(c));
    return;
  }
  ui::SetWindowTextUtf8(ControlWindow(c), state_->Text(c));
}

void AntivirusWindow::ProgressChanged(int value) {
  if (hwnd_) SendDlgItemMessageA(hwnd_, ids::ProgressBar1, PBM_SETPOS, value, 0);
}

void AntivirusWindow::RowsCleared() {
  if (hwnd_) SendDlgItemMessageA(hwnd_, ids::ListView1, LVM_DELETEALLITEMS, 0, 0);
}

void AntivirusWindow::RowAppended(std::size_t index) {
  if (!hwnd_) return;
  HWND list = GetDlgItem(hwnd_, ids::ListView1);
  const ResultRow& row = state_->Rows()[index - 1];
  int at = ui::InsertListRowUtf8(list, static_cast<int>(index - 1), row.text);
  const std::string* subItems[] = {&row.name, &row.path, &row.size, &row.remark};
  for (int i = 0; i < 4; ++i) ui::SetListCellUtf8(list, at, i + 1, *subItems[i]);
}

void AntivirusWindow::TimerChanged(Timer t, bool enabled) {
  if (!hwnd_) return;
  UINT_PTR id = static_cast<UINT_PTR>(t);
  if (enabled) {
    SetTimer(hwnd_, id, t == Timer::Timer1 ? 1000 : 500, nullptr);
  } else {
    KillTimer(hwnd_, id);
  }
}

LRESULT CALLBACK AntivirusWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<AntivirusWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self || msg == WM_NCDESTROY) return DefWindowProcA(hwnd, msg, wp, lp);
  return self->Handle(msg, wp, lp);
}

LRESULT AntivirusWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND: {
      int id = LOWORD(wp);
      for (XPButton& b : buttons_) {
        if (b.Id() == id && reinterpret_cast<HWND>(lp) == b.Handle()) {
          b.OnCommand(HIWORD(wp));
          return 0;
        }
      }
      return 0;
    }
    case WM_TIMER:
      if (wp == static_cast<WPARAM>(Timer::Timer1)) state_->Timer1_Timer();
      if (wp == static_cast<WPARAM>(Timer::Timer2)) state_->Timer2_Timer();
      return 0;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wp);
      bool red = GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == ids::lblJumlahVirus;
      SetTextColor(dc, red ? kCountRed : kLabelGreen);
      SetBkColor(dc, kNavy);
      return reinterpret_cast<LRESULT>(background_);
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd_, &r);
      FillRect(reinterpret_cast<HDC>(wp), &r, background_);
      return 1;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (item->CtlID == ids::Image1) {
        DrawBanner(item->hDC, item->rcItem);
      } else if (item->CtlID == ids::Image2) {
        DrawBadge(item->hDC, item->rcItem);
      } else if (item->CtlID == ids::Line1) {
        HBRUSH line = CreateSolidBrush(kLineGreen);
        FillRect(item->hDC, &item->rcItem, line);
        DeleteObject(line);
      }
      return TRUE;
    }
    case WM_CLOSE:
      state_->cmdKeluar_Click();
      return 0;
    case WM_DESTROY:
      SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      if (postQuitOnDestroy) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd_, msg, wp, lp);
  }
}

}  // namespace tarvex
