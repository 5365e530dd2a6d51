#pragma once
// A services struct is filled in one place, the App; a function left empty
// there is a fault to report at once, not a silent no-op at the first click.
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

namespace tarvex::ui {

// Throws std::invalid_argument naming the first missing service.
inline void RequireServices(const char* structName, std::initializer_list<std::pair<bool, const char*>> given) {
  for (const auto& [present, name] : given)
    if (!present) throw std::invalid_argument(std::string(structName) + ": no " + name);
}

}  // namespace tarvex::ui
