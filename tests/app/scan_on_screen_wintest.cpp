// What the user sees of a scan in the real window: the state's texts in the
// state's order, and the controls repainted once per turn of the event queue
// rather than once per file.
#include <windows.h>

#include <commctrl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>

#include "app/antivirus_window_win32.h"
#include "scan/scan_progress.h"
#include "support/program_win32.h"
#include "support/temp_tree_win32.h"
#include "system/files.h"
#include "ui/list_views_win32.h"

namespace tarvex {
namespace {

using A = Antivirus;
using ::testing::ElementsAre;
using testing::TempTree;

// Every text a control is given, as it reaches the control.
class TextRecorder {
 public:
  void Watch(HWND control) {
    texts_[control];
    previous_[control] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextRecorder::Proc)));
    instance_ = this;
  }
  ~TextRecorder() {
    for (const auto& [control, proc] : previous_) SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    instance_ = nullptr;
  }
  const std::vector<std::string>& Texts(HWND control) { return texts_[control]; }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT && lp) {
      const auto* text = reinterpret_cast<const wchar_t*>(lp);
      char buf[1024] = {};
      WideCharToMultiByte(CP_UTF8, 0, text, -1, buf, sizeof buf - 1, nullptr, nullptr);
      instance_->texts_[hwnd].push_back(buf);
    }
    return CallWindowProcW(instance_->previous_[hwnd], hwnd, msg, wp, lp);
  }

  static inline TextRecorder* instance_ = nullptr;
  std::map<HWND, WNDPROC> previous_;
  std::map<HWND, std::vector<std::string>> texts_;
};

class ScanOnScreen : public testing::ProgramTest {
 protected:
  void SetUp() override {
    StartProgram();
    for (int i = 0; i < 60; ++i) {
      std::string name = i % 2 ? "sub\\f" : "f";
      name += std::to_string(i);
      name += ".txt";
      tree_.Write(name, "x");
    }
    chosen_ = tree_.Root();
    for (int id : {A::status, A::lblFileDiperiksa, A::lblPercentComplete}) recorder_.Watch(Child(id));
  }

  // The status line of every file, in the order the walk meets them.
  std::vector<std::string> FileStatusLines() {
    std::vector<std::string> lines;
    for (const std::string& folder : {tree_.Root() + "\\", tree_.Root() + "\\sub\\"}) {
      for (const sys::DirEntry& e : sys::ListDirectory(folder + "*.*", 39)) lines.push_back(StatusLineFor(folder, e.name));
    }
    return lines;
  }

  TempTree tree_{"screen"};
  TextRecorder recorder_;
};

TEST_F(ScanOnScreen, WhatAnEventChangesReachesTheScreenOnceWhenItEnds) {
  yieldPumps_ = [] { return false; };  // the queue gets no turn during this scan
  Click(A::cmdScan);
  EXPECT_THAT(recorder_.Texts(Child(A::status)), ElementsAre("Pemeriksaan selesai, tak ada virus ditemukan."));
  EXPECT_THAT(recorder_.Texts(Child(A::lblFileDiperiksa)), ElementsAre("60"));
  EXPECT_THAT(recorder_.Texts(Child(A::lblPercentComplete)), ElementsAre("100 % Complete..."));
  EXPECT_EQ(SendMessageA(Child(A::ProgressBar1), PBM_GETPOS, 0, 0), 100);
}

TEST_F(ScanOnScreen, TheScreenShowsTheScansTextsInTheirOrder) {
  // A turn of the queue at every fifth yield: some of the texts in between
  // are never shown, but what is shown keeps the scan's order.
  int yields = 0;
  yieldPumps_ = [&] { return ++yields % 5 == 0; };
  Click(A::cmdScan);

  const std::vector<std::string> expected = FileStatusLines();
  ASSERT_EQ(expected.size(), 60u);
  const std::vector<std::string>& shown = recorder_.Texts(Child(A::status));
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.back(), "Pemeriksaan selesai, tak ada virus ditemukan.");
  std::size_t next = 0;
  int fileLines = 0;
  for (const std::string& text : shown) {
    if (std::find(expected.begin(), expected.end(), text) == expected.end()) continue;  // animation, end message
    auto at = std::find(expected.begin() + static_cast<std::ptrdiff_t>(next), expected.end(), text);
    ASSERT_NE(at, expected.end()) << text << " shown out of order";
    next = static_cast<std::size_t>(at - expected.begin()) + 1;
    ++fileLines;
  }
  EXPECT_GT(fileLines, 0) << "the files show while the scan runs";
  EXPECT_LT(fileLines, 60) << "not every file is painted";
  // The counter climbs, never back.
  int last = 0;
  for (const std::string& text : recorder_.Texts(Child(A::lblFileDiperiksa))) {
    EXPECT_GE(std::stoi(text), last);
    last = std::stoi(text);
  }
  EXPECT_EQ(last, 60);
}

// A list view's new count is held back only while it changes nothing on screen
// (count, top row, wanted, may hold, focused, count afterwards: held only in the first).
TEST(ListViewCount, HeldOnlyForRowsAddedBelowSightOfAListAtItsTopWithItsSmallestScrollBox) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 300,
                              200, nullptr, nullptr, nullptr, nullptr);
  LVCOLUMNW column{LVCF_WIDTH, 0, 200};
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  const int cases[][6] = {{1000, 0, 1100, 1, 0, 1000}, {1000, 500, 1100, 1, 0, 1100}, {1000, 0, 1100, 0, 0, 1100},
                          {1000, 0, 1100, 1, 1, 1100}, {20, 0, 21, 1, 0, 21}, {3, 0, 4, 1, 0, 4}, {1000, 0, 900, 1, 0, 900}};
  for (const auto& [count, top, wanted, mayHold, focused, shown] : cases) {
    SetFocus(focused ? list : nullptr);
    SendMessageW(list, LVM_SETITEMCOUNT, count, 0);
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    SendMessageW(list, LVM_SCROLL, 0, top * HIWORD(SendMessageW(list, LVM_GETITEMSPACING, TRUE, 0)));
    EXPECT_EQ(ui::CatchUpCount(list, wanted, mayHold), shown == wanted);
    EXPECT_EQ(testing::ListRows(list), shown) << count << " " << top;
  }
  DestroyWindow(list);
}

}  // namespace
}  // namespace tarvex
