// A list view's count held back while it changes nothing the user sees, on a
// real list view: the control's scroll bar tells.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/window_probe_win32.h"
#include "ui/change_mirror_win32.h"

namespace tarvex::ui {
namespace {

TEST(ListViewCount, HeldOnlyForRowsAddedOutOfSightOfAListAtItsTopWithItsSmallestScrollBox) {
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0, 0, 300,
                              200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(list);
  LVCOLUMNW column{LVCF_WIDTH, 0, 200};
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  struct Case {
    int count, top, wanted;
    bool mayHold;
    int shown;  // the count afterwards
  } const cases[] = {
      {1000, 0, 1100, true, 1000},  // the box of a long list at its smallest, the rows below sight
      {1000, 500, 1100, true, 1100},  // scrolled: the box moves with the count
      {1000, 0, 1100, false, 1100},   // the event ended
      {20, 0, 21, true, 21},          // the box still shrinks
      {3, 0, 4, true, 4},             // the row shows
      {1000, 0, 900, true, 900},      // rows removed
  };
  for (const Case& c : cases) {
    SendMessageW(list, LVM_SETITEMCOUNT, c.count, 0);
    SendMessageW(list, LVM_ENSUREVISIBLE, 0, FALSE);
    SendMessageW(list, LVM_SCROLL, 0, c.top * static_cast<int>(SendMessageW(list, LVM_GETITEMSPACING, TRUE, 0) >> 16));
    EXPECT_EQ(CatchUpCount(list, c.wanted, c.mayHold), c.shown == c.wanted) << c.count << " " << c.top;
    EXPECT_EQ(testing::ListRows(list), c.shown) << c.count << " " << c.top;
  }
  DestroyWindow(list);
}

}  // namespace
}  // namespace tarvex::ui
