#pragma once
// What the About window scrolls.
#include "base/app_title.h"

namespace tarvex::config {

// The credits, line by line; the home page's address follows as the last line.
inline constexpr const char* kCreditLines[] = {
    kProgramTitle,
    "Copyright 2011 Rizal Pratama",
    "----------------------------------",
    "",
    "Programmer :",
    "Rizal Pratama",
    "rizal.pratama@tarvex.web.id",
    "",
    "Designer :",
    "Dewi Anggraini",
    "dewi.anggraini@tarvex.web.id",
    "Terima kasih kepada semua yang telah",
    "membantu. Semoga Tarvex menjadi",
    "antivirus terbaik di Indonesia.",
    "Download Link",
};

}  // namespace tarvex::config
