#pragma once
// The program's configuration values: the web addresses it shows and opens.
// They live here and nowhere else.

namespace tarvex::config {

// The publisher's home page: the date warning, the About window, the error
// text of the external tool.
inline constexpr const char* kHomePage = "http://www.tarvex.web.id";

// Where the published database is downloaded from (handed to the shell).
inline constexpr const char* kDatabaseDownloadAddress = "http://www.tarvex.web.id/download/Tarvex.db";

// The site that publishes the database, as the update reminder names it.
inline constexpr const char* kDatabaseSite = "www.tarvex.web.id";

// The credits of the About window, line by line; the home page's address
// follows as the last line.
inline constexpr const char* kCreditLines[] = {
    "Tarvex Antivirus",
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
