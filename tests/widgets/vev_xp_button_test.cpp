// The button's behaviour through a fake window: which look each event paints,
// which events reach the container and in what order, and the stored properties.
#include "widgets/vev_xp_button.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex::widgets {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Writes everything the button asks of its window and raises to its container
// into one log, so that tests read the order.
class FakeWindow : public ButtonWindow {
 public:
  bool IsCursorOver() const override { return cursorOver; }
  void ShowFace(const PixelSurface&) override {}
  void DrawCaption(const std::string&, ui::Colour colour, const FontSpec&) override { lastCaptionColour = colour; }
  void ApplyRegion(const std::array<Point, 4>&) override {}
  void Refresh() override { log.push_back("refresh"); }
  void EnableInput(bool enabled) override { log.push_back(enabled ? "enable" : "disable"); }
  void MoveFocus(bool previous) override { log.push_back(previous ? "focus previous" : "focus next"); }
  void CaptureMouse() override { log.push_back("capture"); }

  bool cursorOver = true;
  ui::Colour lastCaptionColour = 0;
  std::vector<std::string> log;
};

class XpButton : public ::testing::Test {
 protected:
  XpButton() {
    ButtonEvents& e = button.Events();
    auto mouse = [this](const char* name) {
      return [this, name](const MouseArgs& a) { Log(std::string(name) + " " + std::to_string(a.button)); };
    };
    e.Click = [this] { Log("Click"); };
    e.MouseDown = mouse("MouseDown");
    e.MouseMove = mouse("MouseMove");
    e.MouseUp = mouse("MouseUp");
    e.KeyPress = [this](int c) { Log("KeyPress " + std::to_string(c)); };
    e.KeyDown = [this](int c, int) { Log("KeyDown " + std::to_string(c)); };
    e.KeyUp = [this](int c, int) { Log("KeyUp " + std::to_string(c)); };
    e.MouseOver = [this] { Log("MouseOver"); };
    e.MouseOut = [this] { Log("MouseOut"); };
    e.GotFocus = [this] { Log("GotFocus"); };
    e.LostFocus = [this] { Log("LostFocus"); };
    button.SetCaption("&Scan");
    button.Resize(75, 25);
    window.log.clear();
  }
  // Each event with the look shown when it was raised.
  void Log(const std::string& event) { window.log.push_back(event + " [" + LookName() + "]"); }
  std::string LookName() const {
    static const char* const names[] = {"disabled", "pressed", "hover", "focused", "normal"};
    return names[static_cast<int>(button.LastLook())];
  }
  std::vector<std::string> TakeLog() { return std::exchange(window.log, {}); }
  void LeftClick() {
    button.MouseDown({kLeftButton});
    button.MouseUp({kLeftButton});
    button.MouseClick();
  }

  FakeWindow window;
  VEVXpButton button{window};
};

TEST_F(XpButton, LeftClickPressesThenClicksRightClickChangesNothing) {
  LeftClick();
  EXPECT_THAT(TakeLog(), ElementsAre("refresh", "MouseDown 1 [pressed]", "refresh", "MouseUp 1 [normal]", "refresh",
                                     "Click [normal]"));
  EXPECT_EQ(button.LastButton(), kLeftButton);

  button.MouseDown({kRightButton});
  EXPECT_EQ(button.LastLook(), Look::Normal);
  button.MouseUp({kRightButton});
  button.MouseClick();
  EXPECT_THAT(TakeLog(), ElementsAre("refresh", "MouseDown 2 [normal]", "refresh", "MouseUp 2 [normal]"));

  // A disabled button takes no press.
  button.SetEnabled(false);
  button.MouseDown({kLeftButton});
  EXPECT_THAT(TakeLog(), ElementsAre("disable"));
  EXPECT_EQ(button.LastLook(), Look::Disabled);
  EXPECT_EQ(window.lastCaptionColour, kDisabledCaptionColour);
}

TEST_F(XpButton, DoubleClickPressesAgainAndCapturesButRaisesNoSecondClick) {
  button.DoubleClick();  // never clicked with the left button: nothing
  EXPECT_THAT(TakeLog(), IsEmpty());
  LeftClick();
  TakeLog();
  button.DoubleClick();
  button.MouseUp({kLeftButton});
  EXPECT_THAT(TakeLog(), ElementsAre("refresh", "MouseDown 1 [pressed]", "capture", "refresh", "MouseUp 1 [normal]"));
}

TEST_F(XpButton, HoverStartsOnTheFirstMoveAndEndsWhenTheTimerFindsTheCursorGone) {
  for (int i = 0; i < 4; ++i) button.MouseMove({0});
  EXPECT_TRUE(button.Hovering());
  EXPECT_TRUE(button.Timers().Running(VEVXpButton::kHoverTimer));
  EXPECT_EQ(button.Timers().Interval(VEVXpButton::kHoverTimer), 1u);
  // Only the first two moves of a resting cursor reach the container.
  EXPECT_THAT(TakeLog(), ElementsAre("MouseOver [hover]", "MouseMove 0 [hover]", "MouseMove 0 [hover]"));

  button.HoverTick();  // still over: nothing
  EXPECT_THAT(TakeLog(), IsEmpty());
  window.cursorOver = false;
  button.HoverTick();
  EXPECT_THAT(TakeLog(), ElementsAre("MouseOut [normal]"));
  EXPECT_FALSE(button.Hovering());
  EXPECT_EQ(button.Inside(), 0);
  EXPECT_FALSE(button.Timers().Running(VEVXpButton::kHoverTimer));

  // Outside with nothing inside: ignored. Other buttons held: passed straight on.
  button.MouseMove({0});
  button.MouseMove({kRightButton});
  EXPECT_THAT(TakeLog(), ElementsAre("MouseMove 2 [normal]"));
}

TEST_F(XpButton, LeavingWithTheLeftButtonHeldRestoresTheNormalLookForGood) {
  button.MouseDown({kLeftButton});
  button.MouseMove({kLeftButton});  // over, first move: pressed again
  EXPECT_EQ(button.LastLook(), Look::Pressed);
  EXPECT_FALSE(button.Hovering());
  window.cursorOver = false;
  button.MouseMove({kLeftButton});
  EXPECT_EQ(button.LastLook(), Look::Normal);
  window.cursorOver = true;
  button.MouseMove({kLeftButton});  // back inside: still normal
  EXPECT_EQ(button.LastLook(), Look::Normal);
  EXPECT_THAT(TakeLog(), ElementsAre("refresh", "MouseDown 1 [pressed]", "MouseMove 1 [pressed]",
                                     "MouseMove 1 [normal]"));
}

TEST_F(XpButton, SpaceAndEnterClickOnReleaseArrowsMoveTheFocus) {
  button.FocusArrived();
  button.KeyDown(kKeySpace, 0);  // never clicked: the focus look, not the pressed face
  button.KeyUp(kKeySpace, 0);
  EXPECT_THAT(TakeLog(), ElementsAre("GotFocus [focused]", "KeyDown 32 [focused]", "refresh", "Click [focused]",
                                     "KeyUp 32 [focused]"));
  EXPECT_EQ(button.LastKeyCode(), kKeySpace);

  button.KeyDown(kKeyEnter, 0);  // clicked once: now the pressed face
  EXPECT_EQ(button.LastLook(), Look::Pressed);
  button.KeyUp(kKeySpace, 0);  // another key's release clicks nothing and repaints nothing
  button.KeyPress('a');
  button.KeyUp(kKeyEnter, 0);
  EXPECT_THAT(TakeLog(), ElementsAre("KeyDown 13 [pressed]", "KeyUp 32 [pressed]", "KeyPress 97 [pressed]", "refresh",
                                     "Click [focused]", "KeyUp 13 [focused]"));

  for (int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown}) button.KeyDown(key, 0);
  EXPECT_THAT(TakeLog(), ElementsAre("focus next", "KeyDown 37 [focused]", "focus next", "KeyDown 39 [focused]",
                                     "focus previous", "KeyDown 38 [focused]", "focus previous",
                                     "KeyDown 40 [focused]"));
}

TEST_F(XpButton, FocusAfterALeftClickShowsThePressedFaceUntilTheNextRepaint) {
  button.FocusArrived();
  EXPECT_EQ(button.LastLook(), Look::Focused);
  LeftClick();
  button.FocusLeft();
  EXPECT_EQ(button.LastLook(), Look::Normal);
  button.FocusArrived();
  EXPECT_EQ(button.LastLook(), Look::Pressed);
  EXPECT_TRUE(button.HasFocus());
  button.MouseMove({0});
  EXPECT_EQ(button.LastLook(), Look::Hover);
}

TEST_F(XpButton, AccessKeyClicksAsALeftClick) {
  button.MouseDown({kRightButton});
  TakeLog();
  button.AccessKeyPressed();
  EXPECT_THAT(TakeLog(), ElementsAre("refresh", "Click [normal]"));
  EXPECT_EQ(button.LastButton(), kLeftButton);
}

TEST(AccessKeyOf, TakesTheLetterAfterTheFirstSingleAmpersand) {
  struct Case {
    const char* caption;
    char key;
  };
  const Case cases[] = {
      {"&Scan", 's'},    {"Ha&pus", 'p'},   {"&", '\0'},         {"S", '\0'},      {"", '\0'},
      {"Scan", '\0'},    {"Scan&", '\0'},   {"A&&B", '\0'},      {"A&&B&C", 'c'},  {"&&&X", 'x'},
      {"&&x&&y", '\0'},  {"&&x&", '\0'},    {"&a&b", 'a'},       {"&&", '\0'},     {"&1", '1'},
  };
  for (const Case& c : cases) EXPECT_EQ(AccessKeyOf(c.caption), c.key) << c.caption;

  FakeWindow window;
  VEVXpButton button(window);
  button.SetCaption("Karan&tina");
  EXPECT_EQ(button.AccessKey(), 't');
  button.SetCaption("Tom && Jerry");
  EXPECT_EQ(button.AccessKey(), '\0');
}

TEST(XpButtonProperties, DefaultsCaseInsensitiveNamesAndOmissions) {
  const Ambient ambient{"cmdScan", {"Tahoma", 825}, ui::kWindowFrameColour};
  FakeWindow window;
  VEVXpButton button(window);

  // Nothing stored: the container's values, ForeHover following ForeColor.
  button.ReadProperties(PropertyBag{}, ambient);
  EXPECT_TRUE(button.Enabled());
  EXPECT_EQ(button.Font(), ambient.font);
  EXPECT_EQ(button.Caption(), "cmdScan");
  EXPECT_EQ(button.ForeColor(), ui::kWindowFrameColour);
  EXPECT_EQ(button.ForeHover(), ui::kWindowFrameColour);
  PropertyBag written;
  button.WriteProperties(written, ambient);
  EXPECT_EQ(written.Size(), 1u);  // only ForeColor, always written
  EXPECT_EQ(written.Read("forecolor", ui::Colour{0}), ui::kWindowFrameColour);

  // Stored under names in any case.
  PropertyBag stored;
  stored.Write("CAPTION", std::string("&Scan"));
  stored.Write("enabled", false);
  stored.Write("fOnT", FontSpec{"Tahoma", 900, true});
  stored.Write("ForeColor", ui::Rgb(0, 0, 128));
  button.ReadProperties(stored, ambient);
  EXPECT_EQ(button.Caption(), "&Scan");
  EXPECT_EQ(button.AccessKey(), 's');
  EXPECT_FALSE(button.Enabled());
  EXPECT_EQ(window.log, (std::vector<std::string>{"enable", "disable"}));
  EXPECT_EQ(button.Font(), (FontSpec{"Tahoma", 900, true}));
  EXPECT_EQ(button.ForeHover(), ui::Rgb(0, 0, 128));  // follows the ForeColor just read

  PropertyBag again;
  button.WriteProperties(again, ambient);
  EXPECT_EQ(again.Size(), 5u);  // ForeHover differs from the container's text colour
  EXPECT_EQ(again.Read("Caption", std::string()), "&Scan");
  EXPECT_FALSE(again.Read("Enabled", true));
  EXPECT_EQ(again.Read("ForeHover", ui::Colour{0}), ui::Rgb(0, 0, 128));
  again.Write("caption", std::string("x"));  // replaces, whatever the case
  EXPECT_EQ(again.Size(), 5u);
  EXPECT_EQ(again.Read("Caption", 7u), 7u);  // a value of another type counts as not stored

  // A new control: enabled, the container's font and its own name.
  button.SetCaption("other");
  button.InitProperties(ambient);
  EXPECT_EQ(button.Caption(), "cmdScan");
  EXPECT_TRUE(button.Enabled());
}

TEST(XpButtonProperties, ALayoutStoresWhatItGives) {
  PropertyBag bag = StoredProperties("&Hapus", {"Tahoma", 900, true}, ui::Rgb(1, 2, 3), ui::kDefaultColour);
  EXPECT_EQ(bag.Read("Caption", std::string()), "&Hapus");
  EXPECT_EQ(bag.Read("Font", FontSpec{}), (FontSpec{"Tahoma", 900, true}));
  EXPECT_EQ(bag.Read("ForeColor", ui::Colour{0}), ui::Rgb(1, 2, 3));
  EXPECT_FALSE(bag.Contains("ForeHover"));  // not given: follows ForeColor when read
  EXPECT_FALSE(bag.Contains("Enabled"));
}

}  // namespace
}  // namespace tarvex::widgets
