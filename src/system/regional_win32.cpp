#include "system/regional.h"

#include <windows.h>

#include "base/wide_text_win32.h"

namespace tarvex::sys {

std::string DecimalSeparator() {
  wchar_t separator[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return ".";
  return ui::Utf8FromWide(separator);
}

}  // namespace tarvex::sys
