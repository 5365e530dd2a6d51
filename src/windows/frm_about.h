#pragma once
// frmAbout, "Tentang Tarvex": the credits rising through a clipped box, and
// a button that opens the publisher's home page.
#include <functional>
#include <string>

#include "system/user_services.h"
#include "ui/window_state.h"

namespace tarvex {

struct AboutServices {
  std::function<void(const std::string& message)> writeLog;
  sys::ShellOpenService shellOpen;
};

// The credits: the configured lines and the home page, joined by CR LF.
std::string CreditsText();

inline constexpr int kCreditsStartTop = 2000;

inline constexpr ui::WindowSpec kAboutWindow = {
    .className = "TarvexAbout",
    .title = "Tentang Tarvex",
    .clientWidth = ui::Px(4740),
    .clientHeight = ui::Px(3165),
    .font = {"Tahoma", 825},
    .frame = ui::Frame::FixedTool,
};

inline constexpr ui::ControlSpec kAboutControls[] = {
    {.kind = ui::Kind::Picture, .id = 1, .name = "Picture1", .box = ui::Twips(240, 240, 4215, 2175)},
    {.kind = ui::Kind::TextBox, .id = 2, .name = "Text1", .box = ui::Twips(0, kCreditsStartTop, 4215, 6500),
     .font = {"Tahoma", 900, true}, .parent = 1, .flags = ui::kMultiLine | ui::kReadOnly | ui::kNoBorder},
    {.kind = ui::Kind::Button, .id = 3, .name = "cmdVisitMe", .box = ui::Twips(1680, 2640, 1335, 375),
     .text = "Visit", .flags = ui::kTabStop},
    {.kind = ui::Kind::Button, .id = 4, .name = "cmd_tutup", .box = ui::Twips(3120, 2640, 1335, 375),
     .text = "Tutup", .flags = ui::kTabStop},
};

class frmAbout : public ui::WindowState {
 public:
  static constexpr ui::ControlTable kControls{kAboutControls};
  static constexpr int Text1 = kControls.IdOf("Text1");
  static constexpr int cmdVisitMe = kControls.IdOf("cmdVisitMe");
  static constexpr int cmd_tutup = kControls.IdOf("cmd_tutup");
  static constexpr int Timer1 = 1;

  explicit frmAbout(AboutServices services);

  void Form_Load() override;
  void Click(int id) override;
  void Timer(int id) override;

  // The top of Text1 in twips.
  int Text1Top() const { return text1Top_; }

 private:
  void MoveCredits(int top);

  AboutServices services_;
  int text1Top_ = kCreditsStartTop;
};

}  // namespace tarvex
