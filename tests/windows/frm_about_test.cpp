#include "windows/frm_about.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>


namespace tarvex {
namespace {

TEST(Credits, AreLinesEndingWithTheAddressVisitOpens) {
  std::string text = CreditsText();
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 2;
  }
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], "Tarvex Antivirus");
  EXPECT_NE(lines[1].find("2011"), std::string::npos);
  EXPECT_EQ(lines[2].find_first_not_of('-'), std::string::npos);
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[lines.size() - 2], "Download Link");
  std::vector<std::string> opened;
  frmAbout window({.writeLog = [](const std::string&) {},
                   .shellOpen = [&](const std::string& address) { opened.push_back(address); }});
  window.Click(frmAbout::cmdVisitMe);
  EXPECT_EQ(opened, std::vector<std::string>{lines.back()});
}

TEST(Credits, RiseTwentyEachTickAndStartAgainBelowTheBox) {
  frmAbout window({.writeLog = [](const std::string&) {}, .shellOpen = [](const std::string&) {}});
  window.Form_Load();
  EXPECT_EQ(window.Text1Top(), 2000);
  EXPECT_EQ(window.Controls().Bounds(frmAbout::Text1).top, 133);
  EXPECT_TRUE(window.Timers().Running(frmAbout::Timer1));

  for (int tick = 1; tick <= 390; ++tick) window.Timer(frmAbout::Timer1);
  EXPECT_EQ(window.Text1Top(), 2000 - 390 * 20);
  window.Timer(frmAbout::Timer1);  // the 391st reaches -5820
  EXPECT_EQ(window.Text1Top(), 2090);
  for (int cycle = 0; cycle < 2; ++cycle) {
    for (int tick = 1; tick < 395; ++tick) window.Timer(frmAbout::Timer1);
    EXPECT_EQ(window.Text1Top(), 2090 - 394 * 20);
    window.Timer(frmAbout::Timer1);
    EXPECT_EQ(window.Text1Top(), 2090);
  }
  EXPECT_EQ(window.Controls().Bounds(frmAbout::Text1).top, 139);

  // Each opening starts again at 2000.
  window.Form_Load();
  EXPECT_EQ(window.Text1Top(), 2000);
}

}  // namespace
}  // namespace tarvex
