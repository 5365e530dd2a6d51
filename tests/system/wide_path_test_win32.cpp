// How the platform layer writes a UTF-8 path for the wide file functions, and
// reads back a path the system reports.
#include <gtest/gtest.h>

#include "system/wide_path_win32.h"

namespace tarvex::sys::win32 {
namespace {

TEST(WidePath, AbsolutePathsTakeTheLongFormOthersStayAsGiven) {
  struct Case {
    const char* given;
    const wchar_t* wide;
  };
  const Case cases[] = {
      {"C:\\Data\\вирус.com", L"\\\\?\\C:\\Data\\\x0432\x0438\x0440\x0443\x0441.com"},
      {"c:/Data/x.com", L"\\\\?\\c:\\Data\\x.com"},
      {"C:\\\\Tarvex.db", L"\\\\?\\C:\\Tarvex.db"},  // a drive-root folder joined with its file
      {"C:\\", L"\\\\?\\C:\\"},
      {"\\\\server\\share\\x.com", L"\\\\?\\UNC\\server\\share\\x.com"},
      {"\\\\?\\C:\\x.com", L"\\\\?\\C:\\x.com"},
      {"\\\\.\\pipe\\x", L"\\\\.\\pipe\\x"},
      {"relative\\x.com", L"relative\\x.com"},
      {"C:\\Data\\..\\x.com", L"C:\\Data\\..\\x.com"},  // the system resolves "..", the long form would not
      {"C:x.com", L"C:x.com"},
      {"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(WidePath(c.given), std::wstring(c.wide)) << c.given;
  EXPECT_FALSE(WidePath("C:\\caf\xE9.com").has_value());
}

TEST(WidePath, LongPathsWithDotsAreMadeFullFirst) {
  const std::string deep = "C:\\" + std::string(150, 'a') + "\\..\\" + std::string(150, 'b') + "\\x.com";
  EXPECT_EQ(WidePath(deep), L"\\\\?\\C:\\" + std::wstring(150, L'b') + L"\\x.com");
}

TEST(ReportedPath, TheLongFormIsTakenOff) {
  EXPECT_EQ(ReportedPath(L"\\\\?\\C:\\Data\\\x75C5.exe"), "C:\\Data\\病.exe");
  EXPECT_EQ(ReportedPath(L"\\\\?\\UNC\\server\\share\\x.exe"), "\\\\server\\share\\x.exe");
  EXPECT_EQ(ReportedPath(L"C:\\x.exe"), "C:\\x.exe");
  EXPECT_EQ(ReportedPath(L"\\??\\C:\\x.exe"), "\\??\\C:\\x.exe");  // a native form stays for the guard to drop
  EXPECT_FALSE(ReportedPath(std::wstring(L"C:\\x") + wchar_t(0xD800) + L".exe").has_value());
}

}  // namespace
}  // namespace tarvex::sys::win32
