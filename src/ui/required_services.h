#pragma once
// A state class takes every service it needs with no defaults: a missing
// function is refused at construction, so a test that forgets one fails at
// once instead of quietly reaching the real system.
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>

namespace tarvex::ui {

// Throws std::invalid_argument naming the first service not given.
inline void RequireServices(const char* structName, std::initializer_list<std::pair<bool, const char*>> given) {
  for (const auto& [present, name] : given)
    if (!present) throw std::invalid_argument(std::string(structName) + ": no " + name);
}

}  // namespace tarvex::ui
