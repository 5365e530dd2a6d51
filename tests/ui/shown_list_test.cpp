#include "ui/shown_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/control_state.h"

namespace tarvex::ui {
namespace {

constexpr ControlSpec kLists[] = {{.kind = Kind::ListView, .id = 3}, {.kind = Kind::ListBox, .id = 5}};

// One change of a list, or a show: the control is sent the edit and must then
// hold the list, having been sent `sent` entries.
struct Step {
  char op;  // '+' add `text`, '-' remove row `index`, 'c' clear, 's' show
  std::string text;
  std::size_t index = 0;
  std::size_t sent = 0;
};

TEST(ShownList, TheControlIsSentOnlyWhatChangedAndEndsAsTheList) {
  const struct Case {
    const char* what;
    int list;
    std::vector<Step> steps;
  } cases[] = {
      {"rows added between frames", 3, {{'+', "a"}, {'s', "", 0, 1}, {'+', "b"}, {'+', "c"}, {'s', "", 0, 2}, {'s'}}},
      {"rows removed from the last up", 3,
       {{'+', "a"}, {'+', "b"}, {'+', "c"}, {'s', "", 0, 3}, {'-', "", 2}, {'-', "", 1}, {'s'}}},
      {"a row removed before rows that stay: those are sent again", 3,
       {{'+', "a"}, {'+', "b"}, {'+', "c"}, {'s', "", 0, 3}, {'-', "", 0}, {'s', "", 0, 2}}},
      {"cleared and filled again", 3, {{'+', "a"}, {'s', "", 0, 1}, {'c'}, {'+', "b"}, {'s', "", 0, 1}}},
      {"added and removed before a show", 3, {{'+', "a"}, {'s', "", 0, 1}, {'+', "b"}, {'-', "", 1}, {'s'}}},
      {"list box items", 5, {{'+', "x"}, {'s', "", 0, 1}, {'+', "y"}, {'s', "", 0, 1}}},
  };
  for (const Case& c : cases) {
    ControlState state(kLists);
    ShownList shown;
    std::vector<std::string> control;
    for (const Step& step : c.steps) {
      if (step.op == '+' && c.list == 3) state.AddRow(c.list, {step.text});
      if (step.op == '+' && c.list == 5) state.AddItem(c.list, step.text);
      if (step.op == '-') state.RemoveRow(c.list, step.index);
      if (step.op == 'c') state.ClearItems(c.list);
      if (step.op != 's') continue;
      std::vector<std::string> wanted = state.Items(c.list);
      for (const Row& r : state.Rows(c.list)) wanted.push_back(r[0]);
      const ListEdit edit = shown.CatchUp(state.TakeUnchangedPrefix(c.list), wanted.size());
      ASSERT_EQ(edit.shown, control.size()) << c.what;
      ApplyEdit(edit, wanted, control);
      EXPECT_EQ(control, wanted) << c.what;
      EXPECT_EQ(edit.wanted - edit.keep, step.sent) << c.what;
    }
  }
}

}  // namespace
}  // namespace tarvex::ui
