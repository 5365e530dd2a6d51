#pragma once
#include <string>

namespace tarvex {

// One infected file in the main window's result list. `text` is the row's own
// (hidden, always empty) text; the rest are its four visible columns.
struct ResultRow {
  std::string text;
  std::string name;
  std::string path;
  std::string size;
  std::string remark;
};

}  // namespace tarvex
