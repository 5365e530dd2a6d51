// The release exe's version block, read back the way Explorer's properties page does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string VersionString(const std::vector<char>& block, const char* key) {
  char* value = nullptr;
  UINT len = 0;
  std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
  if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &len) || !value) return "<none>";
  return std::string(value);
}

TEST(ReleaseExecutable, CarriesItsVersionBlock) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(TARVEX_EXE_PATH, &ignored);
  ASSERT_GT(size, 0u) << TARVEX_EXE_PATH;
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(TARVEX_EXE_PATH, 0, size, block.data()));

  EXPECT_EQ(VersionString(block, "FileVersion"), "1.00");
  EXPECT_EQ(VersionString(block, "ProductVersion"), "1.00");
  EXPECT_EQ(VersionString(block, "InternalName"), "TarvexAV");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "TarvexAV.exe");
  EXPECT_EQ(VersionString(block, "ProductName"), "Vado Tarvex Antivirus");
  EXPECT_EQ(VersionString(block, "CompanyName"), "Tarvex Anti Virus");

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
}

TEST(ReleaseExecutable, HasAnIcon) {
  HMODULE exe = LoadLibraryExA(TARVEX_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */), nullptr);
  FreeLibrary(exe);
}

}  // namespace
