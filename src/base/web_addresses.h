#pragma once
// The web addresses the program shows and opens. They live here and nowhere else.

namespace tarvex::config {

// The publisher's home page: the date warning, the About window, the error
// text of the external tool.
inline constexpr const char* kHomePage = "http://www.tarvex.web.id";

// Where the published database is downloaded from (handed to the shell).
inline constexpr const char* kDatabaseDownloadAddress = "http://www.tarvex.web.id/download/Tarvex.db";

// The site that publishes the database, as the update reminder names it.
inline constexpr const char* kDatabaseSite = "www.tarvex.web.id";

}  // namespace tarvex::config
