#pragma once
// The user's own number format (Windows only).
#include <string>

namespace tarvex::sys {

// The decimal separator of the user's regional settings, "." when unknown.
std::string DecimalSeparator();

}  // namespace tarvex::sys
