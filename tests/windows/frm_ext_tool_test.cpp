#include "windows/frm_ext_tool.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex {
namespace {

TEST(ExtTool, LogsThenStartsTheVisibleBatchFileOrSaysItIsMissing) {
  for (bool present : {true, false}) {
    std::vector<std::string> calls;
    frmExtTool window({
        .writeLog = [&](const std::string& m) { calls.push_back("log " + m); },
        .programFolder = [] { return std::string("C:\\Tarvex"); },
        .visibleFileExists = [&](const std::string& p) { return present && p == "C:\\Tarvex\\FileRecover.bat"; },
        .shellOpen = [&](const std::string& p) { calls.push_back("open " + p); },
        .messageBox =
            [&](const std::string& text, unsigned flags, const std::string& title) {
              calls.push_back("box " + title + " " + std::to_string(flags) + " " + text);
              return static_cast<int>(sys::kIdOk);
            },
    });
    window.Click(frmExtTool::Label1);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0], "log Pengembalian File");
    if (present) {
      EXPECT_EQ(calls[1], "open C:\\Tarvex\\FileRecover.bat");
    } else {
      EXPECT_EQ(calls[1],
                "box Error 48 Maaf, file C:\\Tarvex\\FileRecover.bat tidak ditemukan.\r\n"
                "Vado Tarvex Antivirus tidak dapat melakukan perintah ini.\r\n"
                "Silahkan download kembali dari http://www.tarvex.web.id");
    }
  }
}

TEST(HandCursor, IsThirtyTwoSquareWithItsHotSpotOnTheFingertip) {
  for (const char* row : kHandCursor.rows) EXPECT_EQ(std::string(row).size(), 32u);
  EXPECT_EQ(kHandCursor.hotX, 12);
  EXPECT_EQ(kHandCursor.hotY, 1);
  EXPECT_EQ(kHandCursor.rows[1][12], 'o');
  EXPECT_EQ(kHandCursor.rows[0][12], '#');
}

}  // namespace
}  // namespace tarvex
