#include "windows/frm_about.h"

#include "base/web_addresses.h"
#include "ui/required_services.h"
#include "windows/about_credits.h"

namespace tarvex {

namespace {
constexpr int kStep = 20;
constexpr int kLowest = -5800;
constexpr int kRestartTop = 2090;
constexpr int kTickMs = 50;

// Where the credits stand after one tick, in twips from the top of the box.
int NextCreditsTop(int top) {
  top -= kStep;
  return top < kLowest ? kRestartTop : top;
}

}  // namespace

std::string CreditsText() {
  std::string text;
  for (const char* line : config::kCreditLines) text += std::string(line) + "\r\n";
  return text + config::kHomePage;
}

frmAbout::frmAbout(AboutServices services)
    : ui::WindowState(kAboutWindow, kAboutControls, {{Timer1, kTickMs, true}}), services_(std::move(services)) {
  ui::RequireServices("AboutServices",
                      {{bool(services_.writeLog), "writeLog"}, {bool(services_.shellOpen), "shellOpen"}});
}

void frmAbout::Form_Load() {
  Controls().SetText(Text1, CreditsText());
  MoveCredits(kCreditsStartTop);
  Timers().SetInterval(Timer1, kTickMs);
  Timers().Start(Timer1);
}

void frmAbout::Click(int id) {
  if (id == cmdVisitMe) {
    // Logged under this name, although it opens the home page.
    services_.writeLog("Download Database");
    services_.shellOpen(config::kHomePage);
  }
  if (id == cmd_tutup) Unload();
}

void frmAbout::Timer(int id) {
  if (id == Timer1) MoveCredits(NextCreditsTop(text1Top_));
}

void frmAbout::MoveCredits(int top) {
  text1Top_ = top;
  ui::Box box = Controls().Design(Text1).box;
  box.top = ui::Px(top);
  Controls().SetBounds(Text1, box);
}

}  // namespace tarvex
