#pragma once
// A window's named id constants, taken from its control table by the
// designer's name; a name that is not in the table does not compile.
#include <string_view>

#include "ui/control_table.h"

namespace tarvex::ui {

constexpr int IdOf(ControlTable table, std::string_view name) {
  for (const ControlSpec& c : table)
    if (name == c.name) return c.id;
  throw "no control of that name in the table";
}

}  // namespace tarvex::ui
