#include "ui/control_state.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/timer_table.h"
#include "ui/list_rows.h"

namespace tarvex::ui {
namespace {

constexpr ControlSpec kTable[] = {
    {.kind = Kind::Label, .id = 7, .box = Twips(240, 360, 4455, 255), .text = "start"},
    {.kind = Kind::CheckBox, .id = 9},
};

TEST(ControlState, StartsFromTheTableTellsOnlyRealChangesAndResets) {
  ControlState state(kTable);
  std::vector<std::pair<int, Change>> told;
  state.SetListener([&](int id, Change c) { told.emplace_back(id, c); });
  EXPECT_EQ(state.Text(7), "start");
  EXPECT_EQ(state.Bounds(7), (Box{16, 24, 297, 17}));

  state.SetText(7, "start");  // unchanged: nobody is told
  state.SetText(7, "next");
  state.SetChecked(9, true);
  state.AddItem(9, "a");
  EXPECT_EQ(told, (std::vector<std::pair<int, Change>>{{7, Change::Text}, {9, Change::Checked}, {9, Change::Items}}));

  state.Reset();
  EXPECT_EQ(state.Text(7), "start");
  EXPECT_FALSE(state.Checked(9));
  EXPECT_TRUE(state.Items(9).empty());
  EXPECT_THROW(state.Text(8), std::out_of_range);
}

constexpr Column kColumns[] = {{" ", 0}, {"Nama", 120}};
constexpr ControlSpec kLists[] = {
    {.kind = Kind::ListView, .id = 3, .name = "ListView1", .columns = kColumns},
    {.kind = Kind::ProgressBar, .id = 4, .name = "ProgressBar1"},
};

TEST(ControlState, RowsAndPositionsAreToldAndNamesGiveTheTablesIds) {
  static_assert(ControlTable(kLists).IdOf("ProgressBar1") == 4);
  ControlState state(kLists);
  std::vector<std::pair<int, Change>> told;
  state.SetListener([&](int id, Change c) { told.emplace_back(id, c); });
  ListRows<std::string> rows(state, 3, [](const std::string& r, std::size_t column) { return column ? r : ""; });
  rows.Add("a");
  rows.Add("b");
  rows.Add("c");
  rows.Remove(1);
  rows.Remove(7);  // no such row: nothing happens
  EXPECT_EQ(state.Rows(3), (std::vector<Row>{{"", "a"}, {"", "c"}}));
  state.SetPosition(4, 40);
  state.SetPosition(4, 40);
  EXPECT_EQ(state.Position(4), 40);
  rows.Clear();
  EXPECT_TRUE(state.Rows(3).empty());
  EXPECT_EQ(told.size(), 6u);
  EXPECT_EQ(told[4], std::make_pair(4, Change::Position));
}

TEST(TimerTable, StartStopAndIntervalChangesAreTold) {
  TimerTable timers{{1, 1000}, {2, 500, true}};
  std::vector<TimerSpec> told;
  timers.SetListener([&](const TimerSpec& t) { told.push_back(t); });
  timers.Start(1);
  timers.Start(2);  // already running
  timers.SetInterval(2, 50);
  timers.Stop(3);   // no such timer
  ASSERT_EQ(told.size(), 2u);
  EXPECT_TRUE(told[0].running);
  EXPECT_EQ(told[1].intervalMs, 50u);
  EXPECT_TRUE(timers.Running(1));
  EXPECT_FALSE(timers.Running(3));
  timers.Reset();  // a window loaded afresh
  EXPECT_FALSE(timers.Running(1));
  EXPECT_TRUE(timers.Running(2));
  EXPECT_EQ(timers.Interval(2), 500u);
}

}  // namespace
}  // namespace tarvex::ui
