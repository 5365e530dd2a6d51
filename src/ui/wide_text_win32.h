#pragma once
// What the user reads goes through the wide-character calls, so that a file
// name in any script is shown as it is, not as the code page spells it.
#include <windows.h>

#include <string>

namespace tarvex::ui {

// UTF-8 text (file names, and the system's texts, which are plain ASCII) in
// wide characters; a text that is not UTF-8 is read as ANSI, the code page the
// system's own texts are written in.
std::wstring DisplayText(const std::string& text);

void SetWindowTextUtf8(HWND window, const std::string& text);

// A row of a report-style list view at `row`, with `text` as its own text;
// gives the index it was put at, -1 on failure.
int InsertListRowUtf8(HWND list, int row, const std::string& text);

void SetListCellUtf8(HWND list, int row, int column, const std::string& text);

}  // namespace tarvex::ui
