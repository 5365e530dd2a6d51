#include "ui/shown_list.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "ui/list_rows.h"

namespace tarvex::ui {
namespace {

constexpr ControlSpec kShownLists[] = {{.kind = Kind::ListView, .id = 3}, {.kind = Kind::ListBox, .id = 5}};

// What the control does with an edit, on a copy of what it shows.
void ApplyEdit(const ListEdit& edit, const std::vector<std::string>& list, std::vector<std::string>& shown) {
  shown.resize(edit.keep);
  shown.insert(shown.end(), list.begin() + static_cast<std::ptrdiff_t>(edit.keep),
               list.begin() + static_cast<std::ptrdiff_t>(edit.wanted));
}

// Steps, by spaces: "+x" adds x, "-2" removes row 2, "c" clears, "s1" shows:
// the control is sent the edit, must then hold the list, and was sent 1 entry.
TEST(ShownList, TheControlIsSentOnlyWhatChangedAndEndsAsTheList) {
  const struct Case {
    const char* what;
    int list;
    const char* steps;
  } cases[] = {
      {"rows added between frames", 3, "+a s1 +b +c s2 s0"},
      {"rows removed from the last up", 3, "+a +b +c s3 -2 -1 s0"},
      {"a row removed before rows that stay: those are sent again", 3, "+a +b +c s3 -0 s2"},
      {"cleared and filled again", 3, "+a s1 c +b s1"},
      {"added and removed before a show", 3, "+a s1 +b -1 s0"},
      {"list box items", 5, "+x s1 +y s1"},
  };
  for (const Case& c : cases) {
    ControlState state(kShownLists);
    ListRows<std::string> rows(state, 3, [](const std::string& r, std::size_t) { return r; });
    ShownList shown;
    std::vector<std::string> control;
    std::istringstream steps(c.steps);
    for (std::string step; steps >> step;) {
      const std::string arg = step.substr(1);
      if (step[0] == '+' && c.list == 3) rows.Add(arg);
      if (step[0] == '+' && c.list == 5) state.AddItem(c.list, arg);
      if (step[0] == '-') rows.Remove(std::stoul(arg));
      if (step[0] == 'c') rows.Clear();
      if (step[0] != 's') continue;
      std::vector<std::string> wanted = state.Items(c.list);
      wanted.insert(wanted.end(), rows.All().begin(), rows.All().end());
      const ListEdit edit = shown.CatchUp(state.TakeUnchangedPrefix(c.list), wanted.size());
      ASSERT_EQ(edit.shown, control.size()) << c.what;
      ApplyEdit(edit, wanted, control);
      EXPECT_EQ(control, wanted) << c.what;
      EXPECT_EQ(edit.wanted - edit.keep, std::stoul(arg)) << c.what << " at " << step;
    }
  }
}

}  // namespace
}  // namespace tarvex::ui
