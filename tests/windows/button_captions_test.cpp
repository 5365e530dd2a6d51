// Every XP button's caption is readable on its near-white face: a row that
// names no caption colour takes its window's text colour, which on the
// windows with green text is not.
#include <gtest/gtest.h>

#include "app/antivirus_table.h"
#include "windows/frm_about.h"
#include "windows/frm_check_update.h"
#include "windows/frm_ext_tool.h"
#include "windows/frm_signature.h"
#include "windows/frm_temp_db.h"
#include "windows/frm_update.h"

namespace tarvex {
namespace {

// Perceived brightness from 0 to 255 of a colour given as red, green, blue.
int Brightness(ui::Colour c) { return ((c & 0xFF) * 299 + (c >> 8 & 0xFF) * 587 + (c >> 16 & 0xFF) * 114) / 1000; }

TEST(ButtonCaptions, AreDarkOnEveryWindow) {
  const struct {
    const ui::WindowSpec& window;
    ui::ControlTable controls;
  } windows[] = {{kAntivirusWindow, kAntivirusControls},     {kTempDbWindow, kTempDbControls},
                 {kSignatureWindow, kSignatureControls},     {kExtToolWindow, kExtToolControls},
                 {kAboutWindow, kAboutControls},             {kUpdateReminderWindow, kUpdateReminderControls},
                 {kCheckUpdateWindow, kCheckUpdateControls}};
  for (const auto& w : windows) {
    for (const ui::ControlSpec& c : w.controls) {
      if (c.kind != ui::Kind::Button) continue;
      const ui::Colour caption = c.fore != ui::kDefaultColour ? c.fore : w.window.fore;
      // The system's own button text, or the button's default, is dark.
      if (caption == ui::kDefaultColour || ui::IsSystemColour(caption)) continue;
      EXPECT_LT(Brightness(caption), 128) << w.window.title << " " << c.name;
    }
  }
}

}  // namespace
}  // namespace tarvex
